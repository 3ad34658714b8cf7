#include "base/errors.h"

#include <cstdio>
#include <new>
#include <stdexcept>

#include "base/code_page.h"
#include "base/system_message.h"

namespace zembrot {

EFOpenError::EFOpenError(const std::string& fullPath, const std::string& systemText)
    : EFileStreamError("Cannot open file \"" + fullPath + "\". " + systemText) {}

EOutOfMemory::EOutOfMemory(const std::string& fullPath, std::uint64_t size, bool atLeast)
    : Exception("Not enough memory to load file \"" + fullPath + "\" (" + (atLeast ? "at least " : "") +
                std::to_string(size) + " bytes)") {}

std::string ErrorMessageOf(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Exception*>(&error)) return own->Message();
  // Both come from asking for more memory than there is (a string or list
  // too long for the machine).
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr || dynamic_cast<const std::length_error*>(&error) != nullptr) {
    return "Out of memory";
  }
  if (dynamic_cast<const std::runtime_error*>(&error) != nullptr) return error.what();
  return std::string("Internal error (") + error.what() + ")";
}

EStringListError::EStringListError(int index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")") {}

EConvertError EConvertError::InvalidInteger(const std::string& text) {
  return EConvertError("'" + text + "' is not a valid integer value");
}

std::string TrimTrailingBlanksAndStops(std::string text) {
  while (!text.empty()) {
    const auto last = static_cast<unsigned char>(text.back());
    if (last > 32 && last != '.') break;
    text.pop_back();
  }
  return text;
}

std::string OleErrorMessage(std::int32_t errorCode) {
  std::string text = TrimTrailingBlanksAndStops(SystemMessageForCode(errorCode));
  if (!text.empty()) return text;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "OLE error %.8X", static_cast<unsigned>(errorCode));
  return buffer;
}

EOleSysError::EOleSysError(const std::string& message, std::int32_t errorCode)
    : EOleError(message.empty() ? OleErrorMessage(errorCode) : message), errorCode_(errorCode) {}

namespace {

// The description loses trailing control characters, blanks and full stops,
// a double-byte character counting as one character (so a trail byte that
// happens to be below 33 is never cut away from its lead byte).
std::string TrimDescription(const std::string& description) {
  std::size_t keep = 0;  // length up to the end of the last character worth keeping
  std::size_t i = 0;
  while (i < description.size()) {
    const std::size_t length = CodePageCharLength(description, i);
    const auto first = static_cast<unsigned char>(description[i]);
    const bool trimmable = length == 1 && (first <= 32 || first == '.');
    i += length;
    if (!trimmable) keep = i;
  }
  return description.substr(0, keep);
}

}  // namespace

EOleException::EOleException(const std::string& description, std::int32_t errorCode,
                             std::string source, std::string helpFile, int helpContext)
    : EOleSysError(TrimDescription(description), errorCode),
      source_(std::move(source)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

}  // namespace zembrot
