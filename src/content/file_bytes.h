#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace zembrot {

// The whole content of a file as it was read.
class FileBytes {
 public:
  FileBytes() = default;
  FileBytes(std::unique_ptr<char[]> data, std::size_t size) : data_(std::move(data)), size_(size) {}

  std::string_view View() const { return {data_.get(), size_}; }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
};

// Reads the existing file at `path` (code-page bytes, absolute or relative to
// the current directory) whole. The file is opened for reading only and
// shared with readers only; a file that does not exist is never created.
// Any failure to open or read it, a folder included, raises EFOpenError
// carrying AbsolutePath(path) and the system's text for the failure.
FileBytes ReadWholeFile(const std::string& path);

// The absolute, normalised form of `path` (code-page bytes) against the
// current directory, as an error message shows it.
std::string AbsolutePath(const std::string& path);

}  // namespace zembrot
