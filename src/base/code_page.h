#pragma once

// The game's code page and the conversions at the program's edges.
//
// Every text inside the program is a byte string in GBK (code page 936) on
// every platform, Windows included whatever its own code page, so the
// Chinese interface and the shipped GBK practice lists behave the same
// everywhere. Conversions happen only where text leaves or enters the
// program: painting, keyboard input, file names and speech.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace zembrot {

// True when the byte starts a double-byte character of the code page.
bool IsLeadByte(unsigned char byte);

// Length (1 or 2) of the character that starts at `position`: a lead byte
// followed by any byte is one double-byte character.
std::size_t CodePageCharLength(std::string_view text, std::size_t position);

// Code-page bytes to UTF-16. Lenient: a byte that starts no valid character
// becomes U+FFFD; it never throws.
std::u16string CodePageToUtf16(std::string_view bytes);

// UTF-16 to code-page bytes; characters the code page lacks become "?".
std::string Utf16ToCodePage(std::u16string_view text);

// Code-page bytes to UTF-8 (lenient like CodePageToUtf16) and back (a byte
// that starts no well-formed UTF-8 character becomes "?", like a character
// the code page lacks).
std::string CodePageToUtf8(std::string_view bytes);
std::string Utf8ToCodePage(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// True when the bytes are well-formed UTF-8 (overlong forms, surrogates and
// values above U+10FFFF are not).
bool IsValidUtf8(std::string_view bytes);

// A path given in code-page bytes as the platform's file name, and back.
std::filesystem::path CodePageToFileName(std::string_view path);
std::string FileNameToCodePage(const std::filesystem::path& path);

// The platform's path separator as a code-page string.
std::string PathSeparator();

}  // namespace zembrot
