#pragma once

#include <string>

namespace zembrot {

// Reads a signed 32-bit integer: optional leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$" or "0x". Anything else,
// an empty text or a value out of range raises EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);

// Removes leading and trailing bytes with values 0 to 32.
std::string Trim(const std::string& text);

// Maps A..Z to a..z and leaves every other byte as it is.
std::string AsciiLower(std::string text);

}  // namespace zembrot
