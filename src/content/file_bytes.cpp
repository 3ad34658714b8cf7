// Opening and reading a practice file, the platform's way.

#include "content/file_bytes.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <new>
#include <stdexcept>
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
#ifdef __linux__
#include <sys/sysinfo.h>
#endif
#endif

namespace zembrot {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, int errorNumber) {
  throw EFOpenError(AbsolutePath(path), SystemErrorText(errorNumber));
}

// A path with a zero byte in it names no file: the system would see only the
// part before the zero and open some other file.
bool HasZeroByte(const std::string& path) { return path.find('\0') != std::string::npos; }

// What a file that is no file on disk is called when it is refused.
constexpr const char* kNotAFile = "It is not a regular file";
constexpr const char* kDevice = "It is a device, not a file";
constexpr const char* kPipe = "It is a pipe, not a file";

// The size a refusal for want of memory names: the size the system reported,
// or, for a file that turned out longer, the bytes known to be there so far.
struct SizeToName {
  std::uint64_t bytes;
  bool atLeast;
};

// Makes room for `capacity` bytes of the file at `path`, or says in the
// program's words that the machine cannot hold the file.
void MakeRoom(ByteBuffer& content, std::uint64_t capacity, SizeToName size, const std::string& path,
              std::uint64_t largestContent) {
  const auto refuse = [&] { throw EOutOfMemory(AbsolutePath(path), size.bytes, size.atLeast); };
  if (capacity > largestContent || capacity > std::numeric_limits<std::size_t>::max()) refuse();
  try {
    content.Reserve(static_cast<std::size_t>(capacity));
  } catch (const std::bad_alloc&) {
    refuse();
  } catch (const std::length_error&) {
    refuse();
  }
}

// Makes room for the whole of a file whose size the system reported.
void MakeRoomForReportedSize(ByteBuffer& content, std::uint64_t size, const std::string& path,
                             std::uint64_t largestContent) {
  MakeRoom(content, size, {size, false}, path, largestContent);
}

// The room for what comes after `current` bytes once at least `needed` are
// known to exist: doubling keeps a long read of a file of unknown size linear.
std::uint64_t GrownCapacity(std::uint64_t current, std::uint64_t needed, std::uint64_t largestContent) {
  const std::uint64_t doubled = current > largestContent / 2 ? largestContent : current * 2;
  return std::max(needed, doubled);
}

// Bytes read from a file of unknown length before its first growth.
constexpr std::size_t kProbeSize = 64 * 1024;

// Reads into `content` until `readSome(into, count)` delivers 0. The size the
// system reported is where reading starts, not where it stops: files under
// /proc report 0 and still have content, and a file may grow while it is read.
template <typename ReadSome>
void ReadToEnd(ByteBuffer& content, ReadSome readSome, const std::string& path, std::uint64_t largestContent) {
  for (;;) {
    if (content.Size() < content.Capacity()) {
      const std::size_t delivered = readSome(content.Room(), content.Capacity() - content.Size());
      if (delivered == 0) break;
      content.Commit(delivered);
      continue;
    }
    // Full: only grow for bytes that are really there.
    char probe[kProbeSize];
    const std::size_t delivered = readSome(probe, sizeof probe);
    if (delivered == 0) break;
    const std::uint64_t known = content.Size() + delivered;
    MakeRoom(content, GrownCapacity(content.Capacity(), known, largestContent), {known, true}, path, largestContent);
    content.AppendWithinCapacity({probe, delivered});
  }
}

}  // namespace

ByteBuffer ReadWholeFile(const std::string& path) { return ReadWholeFile(path, MachineMemory()); }

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

ByteBuffer ReadWholeFile(const std::string& path, std::uint64_t largestContent) {
  if (HasZeroByte(path)) ThrowOpenError(path, ERROR_INVALID_NAME);
  return ReadWholeFile(CodePageToFileName(path), path, largestContent);
}

ByteBuffer ReadWholeFile(const std::filesystem::path& fileName, const std::string& path, std::uint64_t largestContent) {
  const std::wstring name = fileName.wstring();
  if (name.find(L'\0') != std::wstring::npos) ThrowOpenError(path, ERROR_INVALID_NAME);
  // Readers may share the file; a writer that holds it open makes the open
  // fail, and no writer can open it while it is read here.
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) ThrowOpenError(path, static_cast<int>(GetLastError()));
  const HandleCloser closer(file);
  // "NUL", "CON" and the other device names open in every folder; only a
  // file on disk is a practice file (reading the console would wait for the
  // keyboard). Each is refused by its kind, in the same words as elsewhere.
  switch (GetFileType(file)) {
    case FILE_TYPE_DISK:
      break;
    case FILE_TYPE_CHAR:
      throw EFOpenError(AbsolutePath(path), kDevice);
    case FILE_TYPE_PIPE:
      throw EFOpenError(AbsolutePath(path), kPipe);
    default:
      throw EFOpenError(AbsolutePath(path), kNotAFile);
  }
  LARGE_INTEGER fileSize;
  if (!GetFileSizeEx(file, &fileSize)) ThrowOpenError(path, static_cast<int>(GetLastError()));
  ByteBuffer content;
  MakeRoomForReportedSize(content, static_cast<std::uint64_t>(fileSize.QuadPart), path, largestContent);
  const auto readSome = [&](char* into, std::size_t count) -> std::size_t {
    // ReadFile counts in 32 bits.
    const auto request = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    DWORD delivered = 0;
    if (!ReadFile(file, into, request, &delivered, nullptr)) ThrowOpenError(path, static_cast<int>(GetLastError()));
    return delivered;
  };
  ReadToEnd(content, readSome, path, largestContent);
  return content;
}

std::uint64_t MachineMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return std::numeric_limits<std::uint64_t>::max();
  return status.ullTotalPageFile;
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

// Anything but a regular file is refused by name of its kind; a folder with
// the system's own words, as the open of one fails elsewhere.
void RefuseUnlessRegular(const std::string& path, mode_t mode) {
  if (S_ISREG(mode)) return;
  if (S_ISDIR(mode)) ThrowOpenError(path, EISDIR);
  const char* kind = kNotAFile;
  if (S_ISCHR(mode) || S_ISBLK(mode)) kind = kDevice;
  if (S_ISFIFO(mode)) kind = kPipe;
  if (S_ISSOCK(mode)) kind = "It is a socket, not a file";
  throw EFOpenError(AbsolutePath(path), kind);
}

const FileCalls kSystemCalls = {[](const char* name, int flags) { return ::open(name, flags); },
                                [](int descriptor, void* into, std::size_t count) {
                                  return ::read(descriptor, into, count);
                                }};
const FileCalls* calls = &kSystemCalls;

// One read(2), asked again after a signal; 0 at the end of the file.
std::size_t ReadSome(int descriptor, char* into, std::size_t count, const std::string& path) {
  for (;;) {
    const ssize_t delivered = calls->readFile(descriptor, into, count);
    if (delivered >= 0) return static_cast<std::size_t>(delivered);
    if (errno != EINTR) ThrowOpenError(path, errno);
  }
}

}  // namespace

void InstallFileCalls(const FileCalls* installed) { calls = installed != nullptr ? installed : &kSystemCalls; }

ByteBuffer ReadWholeFile(const std::string& path, std::uint64_t largestContent) {
  if (HasZeroByte(path)) ThrowOpenError(path, EINVAL);
  return ReadWholeFile(CodePageToFileName(path), path, largestContent);
}

ByteBuffer ReadWholeFile(const std::filesystem::path& name, const std::string& path, std::uint64_t largestContent) {
  if (HasZeroByte(name.native())) ThrowOpenError(path, EINVAL);
  // Looked at before it is opened: opening a device can itself do things
  // (rewind a tape, arm a watchdog), and a pipe would wait for a writer.
  struct stat status {};
  if (::stat(name.c_str(), &status) != 0) ThrowOpenError(path, errno);
  RefuseUnlessRegular(path, status.st_mode);
  // O_NONBLOCK: should the name have become a pipe since, the open must
  // still not wait for a writer.
  int descriptor;
  do {
    descriptor = calls->openFile(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) ThrowOpenError(path, errno);
  const DescriptorCloser closer(descriptor);
  if (::fstat(descriptor, &status) != 0) ThrowOpenError(path, errno);
  RefuseUnlessRegular(path, status.st_mode);

  ByteBuffer content;
  MakeRoomForReportedSize(content, static_cast<std::uint64_t>(status.st_size), path, largestContent);
  ReadToEnd(content, [&](char* into, std::size_t count) { return ReadSome(descriptor, into, count, path); }, path,
            largestContent);
  return content;
}

std::uint64_t MachineMemory() {
#ifdef __linux__
  struct sysinfo info {};
  if (::sysinfo(&info) == 0) {
    const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
    return (static_cast<std::uint64_t>(info.totalram) + info.totalswap) * unit;
  }
#endif
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
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
