// Opening and reading a practice file, the platform's way.

#include "content/file_bytes.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/code_page.h"
#include "base/errors.h"
#include "base/system_message.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zembrot {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, int errorNumber) {
  throw EFOpenError(AbsolutePath(path), SystemErrorText(errorNumber));
}

// A path with a zero byte in it names no file: the system would see only the
// part before the zero and open some other file.
bool HasZeroByte(const std::string& path) { return path.find('\0') != std::string::npos; }

}  // namespace

#ifdef _WIN32

namespace {

class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() { CloseHandle(handle_); }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  HANDLE handle_;
};

}  // namespace

ByteBuffer ReadWholeFile(const std::string& path) {
  if (HasZeroByte(path)) ThrowOpenError(path, ERROR_INVALID_NAME);
  const std::wstring name = CodePageToFileName(path).wstring();
  // Readers may share the file; a writer that holds it open makes the open
  // fail, and no writer can open it while it is read here.
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) ThrowOpenError(path, static_cast<int>(GetLastError()));
  const HandleCloser closer(file);
  // "NUL", "CON" and the other device names open in every folder; only a
  // file on disk is a practice file (reading the console would wait for the
  // keyboard). A device is refused the way a folder is.
  if (GetFileType(file) != FILE_TYPE_DISK) ThrowOpenError(path, ERROR_ACCESS_DENIED);
  LARGE_INTEGER fileSize;
  if (!GetFileSizeEx(file, &fileSize)) ThrowOpenError(path, static_cast<int>(GetLastError()));
  const auto size = static_cast<std::size_t>(fileSize.QuadPart);
  ByteBuffer content(size);
  while (content.Size() < size) {
    // ReadFile counts in 32 bits; a file shorter than its size ends early.
    const auto request = static_cast<DWORD>(std::min<std::size_t>(size - content.Size(), 1u << 30));
    DWORD delivered = 0;
    if (!ReadFile(file, content.Room(), request, &delivered, nullptr)) {
      ThrowOpenError(path, static_cast<int>(GetLastError()));
    }
    if (delivered == 0) break;
    content.Commit(delivered);
  }
  return content;
}

std::string AbsolutePath(const std::string& path) {
  const std::wstring name = CodePageToFileName(path).wstring();
  const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return Utf16ToCodePage(std::u16string(full.begin(), full.end()));
}

#else

namespace {

class DescriptorCloser {
 public:
  explicit DescriptorCloser(int descriptor) : descriptor_(descriptor) {}
  ~DescriptorCloser() { ::close(descriptor_); }
  DescriptorCloser(const DescriptorCloser&) = delete;
  DescriptorCloser& operator=(const DescriptorCloser&) = delete;

 private:
  int descriptor_;
};

}  // namespace

ByteBuffer ReadWholeFile(const std::string& path) {
  if (HasZeroByte(path)) ThrowOpenError(path, EINVAL);
  const std::filesystem::path name = CodePageToFileName(path);
  // Without O_NONBLOCK a named pipe would hang the game until some program
  // writes to it; regular files ignore the flag.
  int descriptor;
  do {
    descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) ThrowOpenError(path, errno);
  const DescriptorCloser closer(descriptor);

  struct stat status {};
  if (::fstat(descriptor, &status) != 0) ThrowOpenError(path, errno);
  // Linux opens a folder for reading without complaint; refuse it here the
  // way the read would.
  if (S_ISDIR(status.st_mode)) ThrowOpenError(path, EISDIR);
  // The length of anything but a regular file (a pipe, a device) is 0.
  const auto size = S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : std::size_t{0};

  ByteBuffer content(size);
  while (content.Size() < size) {
    // One request normally delivers everything; a short read or a signal
    // asks again for the rest. A file that shrank meanwhile ends early, and
    // only the bytes delivered are used.
    const ssize_t delivered = ::read(descriptor, content.Room(), size - content.Size());
    if (delivered < 0) {
      if (errno == EINTR) continue;
      ThrowOpenError(path, errno);
    }
    if (delivered == 0) break;
    content.Commit(static_cast<std::size_t>(delivered));
  }
  return content;
}

std::string AbsolutePath(const std::string& path) {
  // The path's code-page bytes are joined to the current folder as they are:
  // GBK trail bytes are never "/", so the parts stay whole. An absolute path
  // starts again from the root, however many "/" it begins with.
  const std::filesystem::path given(path);
  std::filesystem::path full("/");
  if (!given.has_root_directory()) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    full = error ? std::filesystem::path() : std::filesystem::path(FileNameToCodePage(current));
  }
  full /= given.relative_path();
  std::string normal = full.lexically_normal().native();
  if (normal.empty()) return ".";
  // Only a path written with a closing "/" names a folder and says so; "."
  // and "" name the current folder without one.
  if (normal.size() > 1 && normal.ends_with('/') && !path.ends_with('/')) normal.pop_back();
  return normal;
}

#endif

}  // namespace zembrot
