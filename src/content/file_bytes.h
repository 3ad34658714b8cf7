#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/types.h>
#endif

#include "content/byte_buffer.h"

namespace zembrot {

// Reads the existing file at `path` (code-page bytes, absolute or relative to
// the current directory) whole. The file is opened for reading only (on
// Windows also shared with readers only); a file that does not exist is
// never created.
// Any failure to open or read it, a folder included, raises EFOpenError
// carrying AbsolutePath(path) and the system's text for the failure; so does
// anything but a regular file (a device, a pipe, a socket), which is never
// even opened. The file is read to its end whatever size the system reports
// for it (files under /proc report 0). Content of more than `largestContent`
// bytes, or more than the memory can hold, raises EOutOfMemory.
ByteBuffer ReadWholeFile(const std::string& path, std::uint64_t largestContent);
// The same with the ceiling at all the memory the machine has.
ByteBuffer ReadWholeFile(const std::string& path);
// The same for a file named as the system gave it (a path from a dialog, a
// name relative to the current folder), which is opened by that name, never
// by one rebuilt from code-page bytes: a folder may have characters the code
// page lacks. `shownPath`, its code-page form, is only what messages show.
ByteBuffer ReadWholeFile(const std::filesystem::path& file, const std::string& shownPath,
                         std::uint64_t largestContent);

// All the memory of the machine, swap included: no practice file larger
// than that can ever be held, whatever the system promises when asked.
std::uint64_t MachineMemory();

// The absolute, normalised form of `path` (code-page bytes) against the
// current directory, as an error message shows it.
std::string AbsolutePath(const std::string& path);

#ifndef _WIN32
// The two system calls a practice file is read with: open(2) and read(2),
// which a signal may interrupt and which may deliver less than asked. The
// program uses the real ones; a test installs others to play those cases.
struct FileCalls {
  int (*openFile)(const char* name, int flags);
  ssize_t (*readFile)(int descriptor, void* into, std::size_t count);
};
// Installs `calls` (not owned); nullptr restores the real ones.
void InstallFileCalls(const FileCalls* calls);
#endif

}  // namespace zembrot
