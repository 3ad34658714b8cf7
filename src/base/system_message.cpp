#include "base/system_message.h"

#include <array>
#include <cstring>

#include "base/code_page.h"
#include "base/errors.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zembrot {

#ifdef _WIN32

std::string SystemMessageForCode(std::int32_t code) {
  // The system's wide text, in the game's code page whatever the system's
  // own is; characters GBK lacks become "?".
  wchar_t buffer[256] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      static_cast<DWORD>(code), 0, buffer, static_cast<DWORD>(std::size(buffer)),
                                      nullptr);
  std::string text = Utf16ToCodePage(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
  // At most 255 bytes, never half a character.
  std::size_t kept = 0;
  while (kept < text.size()) {
    const std::size_t next = kept + CodePageCharLength(text, kept);
    if (next > 255) break;
    kept = next;
  }
  text.resize(kept);
  return text;
}

std::string SystemErrorText(int errorNumber) {
  return TrimTrailingBlanksAndStops(SystemMessageForCode(errorNumber));
}

#else

namespace {

struct KnownCode {
  std::uint32_t code;
  const char* text;
};

// The texts of the result codes a speech back-end can report here. Codes
// outside this table have no system text, and their errors fall back to
// "OLE error XXXXXXXX".
constexpr std::array kKnownCodes{
    KnownCode{0x80004001, "Not implemented"},
    KnownCode{0x80004002, "No such interface supported"},
    KnownCode{0x80004003, "Invalid pointer"},
    KnownCode{0x80004004, "Operation aborted"},
    KnownCode{0x80004005, "Unspecified error"},
    KnownCode{0x8000FFFF, "Catastrophic failure"},
    KnownCode{0x80040154, "Class not registered"},
    KnownCode{0x800401E3, "Operation unavailable"},
    KnownCode{0x800401F0, "CoInitialize has not been called."},
    KnownCode{0x8007000E, "Not enough storage is available to complete this operation."},
    KnownCode{0x80070002, "The system cannot find the file specified."},
    KnownCode{0x80070005, "Access is denied."},
    KnownCode{0x80070057, "The parameter is incorrect."},
};

}  // namespace

std::string SystemMessageForCode(std::int32_t code) {
  for (const KnownCode& known : kKnownCodes) {
    if (known.code == static_cast<std::uint32_t>(code)) return known.text;
  }
  return {};
}

std::string SystemErrorText(int errorNumber) {
  // strerror is not thread-safe; the GNU strerror_r hands back the text itself.
  char buffer[256];
  const char* text = strerror_r(errorNumber, buffer, sizeof buffer);
  return TrimTrailingBlanksAndStops(Utf8ToCodePage(text));
}

#endif

}  // namespace zembrot
