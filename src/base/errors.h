#pragma once

// The error classes of the whole program. Every failure travels as one of
// these; the frame's error report shows the message of whatever escapes a
// handler. The messages are byte strings in the game's code page.

#include <cstdint>
#include <exception>
#include <string>

namespace zembrot {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

// The silent abort: the error report drops it without a word.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

class EFileStreamError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// "Cannot open file "<full path>". <system text>"
class EFOpenError : public EFileStreamError {
 public:
  EFOpenError(const std::string& fullPath, const std::string& systemText);
};

// A stored layout that cannot be applied: "Property <name> does not exist",
// "Invalid property value".
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// "List index out of bounds (<index>)"
class EStringListError : public Exception {
 public:
  explicit EStringListError(int index);
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
  // "'<text>' is not a valid integer value"
  static EConvertError InvalidInteger(const std::string& text);
};

class EOleError : public Exception {
 public:
  using Exception::Exception;
};

// A failed COM-style result code. An empty message is replaced by the
// system's text for the code, or else by "OLE error XXXXXXXX".
class EOleSysError : public EOleError {
 public:
  EOleSysError(const std::string& message, std::int32_t errorCode);
  std::int32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  std::int32_t errorCode_;
};

// A failure that the failing object described itself. Its description loses
// trailing control characters, blanks and full stops before the rule of
// EOleSysError applies.
class EOleException : public EOleSysError {
 public:
  EOleException(const std::string& description, std::int32_t errorCode, std::string source,
                std::string helpFile, int helpContext = 0);
  const std::string& Source() const noexcept { return source_; }
  const std::string& HelpFile() const noexcept { return helpFile_; }
  int HelpContext() const noexcept { return helpContext_; }

 private:
  std::string source_;
  std::string helpFile_;
  int helpContext_;
};

// A practice file the machine has no memory for:
// "Not enough memory to load file "<full path>" (<size> bytes)"
class EOutOfMemory : public Exception {
 public:
  // `atLeast`: the file was still going on when memory ran out.
  EOutOfMemory(const std::string& fullPath, std::uint64_t size, bool atLeast = false);
};

class EIntfCastError : public Exception {
 public:
  using Exception::Exception;
};

class EAssertionFailed : public Exception {
 public:
  using Exception::Exception;
};

// Message text of an OLE result code: the system's text, or "OLE error XXXXXXXX".
std::string OleErrorMessage(std::int32_t errorCode);

// The text the player sees for any error: an error of ours (and a library's
// runtime error) by its own message; running out of memory as "Out of memory";
// any other library failure as "Internal error (<what>)", never by a bare
// exception name.
std::string ErrorMessageOf(const std::exception& error);

// Removes trailing bytes with values 0..32 and trailing full stops.
std::string TrimTrailingBlanksAndStops(std::string text);

}  // namespace zembrot
