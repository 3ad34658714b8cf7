#pragma once

#include <cstdint>
#include <string>

namespace zembrot {

// The system's message text for a COM-style result code (at most 255
// bytes), in the game's code page, or empty when the system has none.
std::string SystemMessageForCode(std::int32_t code);

// The operating system's text for an error number of a failed file
// operation (errno on POSIX, GetLastError on Windows), in the game's code
// page, with trailing blanks and full stops removed.
std::string SystemErrorText(int errorNumber);

}  // namespace zembrot
