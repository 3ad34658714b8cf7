#include "content/byte_buffer.h"

#include <cstring>

namespace zembrot {

void ByteBuffer::AppendWithinCapacity(std::string_view bytes) {
  if (bytes.empty()) return;  // memcpy wants real pointers even for nothing
  std::memcpy(data_.get() + size_, bytes.data(), bytes.size());
  size_ += bytes.size();
}

}  // namespace zembrot
