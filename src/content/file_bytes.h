#pragma once

#include <string>

#include "content/byte_buffer.h"

namespace zembrot {

// Reads the existing file at `path` (code-page bytes, absolute or relative to
// the current directory) whole. The file is opened for reading only (on
// Windows also shared with readers only); a file that does not exist is
// never created.
// Any failure to open or read it, a folder included, raises EFOpenError
// carrying AbsolutePath(path) and the system's text for the failure.
ByteBuffer ReadWholeFile(const std::string& path);

// The absolute, normalised form of `path` (code-page bytes) against the
// current directory, as an error message shows it.
std::string AbsolutePath(const std::string& path);

}  // namespace zembrot
