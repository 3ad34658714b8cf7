#include "content/byte_buffer.h"

#include <cstring>
#include <utility>

namespace zembrot {

void ByteBuffer::Reserve(std::size_t capacity) {
  if (capacity <= capacity_) return;
  auto larger = std::make_unique_for_overwrite<char[]>(capacity);
  if (size_ > 0) std::memcpy(larger.get(), data_.get(), size_);
  data_ = std::move(larger);
  capacity_ = capacity;
}

void ByteBuffer::AppendWithinCapacity(std::string_view bytes) {
  if (bytes.empty()) return;  // memcpy wants real pointers even for nothing
  std::memcpy(data_.get() + size_, bytes.data(), bytes.size());
  size_ += bytes.size();
}

}  // namespace zembrot
