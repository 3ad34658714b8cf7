#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace zembrot {

// A growable block of bytes that, unlike std::string, never zero-fills what
// is about to be overwritten: a 64 MiB practice file is read straight into
// it.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  // Room for `capacity` bytes, none of them in use yet.
  explicit ByteBuffer(std::size_t capacity)
      : data_(std::make_unique_for_overwrite<char[]>(capacity)), capacity_(capacity) {}

  std::string_view View() const { return {data_.get(), size_}; }
  std::size_t Size() const { return size_; }
  std::size_t Capacity() const { return capacity_; }

  // The unused room after the bytes in use, to be filled and then committed.
  char* Room() { return data_.get() + size_; }
  void Commit(std::size_t count) { size_ += count; }

  // Grows the room to `capacity` bytes in all, keeping the bytes in use.
  void Reserve(std::size_t capacity);

  // Appends when there is room; the caller makes room first.
  void AppendWithinCapacity(std::string_view bytes);

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace zembrot
