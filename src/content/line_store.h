#pragma once

// The lines of a TStringList, kept as spans of one byte buffer. A loaded
// file keeps its own bytes and the list records where each line lies, so a
// file of millions of lines costs two allocations instead of one per line.

#include <cstddef>
#include <string_view>
#include <vector>

#include "content/byte_buffer.h"
#include "content/line_splitter.h"

namespace zembrot {

class LineStore {
 public:
  std::size_t Count() const { return spans_.size(); }
  std::string_view At(std::size_t index) const;
  std::size_t TotalLength() const { return liveBytes_; }

  // The lines of `text`, by the line rules; the store takes the bytes over.
  // Nothing changes when this throws.
  void Replace(ByteBuffer text);

  // Each of these either completes or throws and changes nothing.
  void Set(std::size_t index, std::string_view line);
  void Erase(std::size_t index);
  void Append(std::string_view line);

 private:
  // Copies `line` to the end of the buffer and returns where it starts.
  // When the buffer is full the live lines move to a new one first, which
  // leaves behind the bytes of replaced and deleted lines.
  std::size_t Store(std::string_view line);
  void MoveLinesTo(ByteBuffer& fresh) noexcept;

  ByteBuffer bytes_;
  std::vector<LineSpan> spans_;
  std::size_t liveBytes_ = 0;  // sum of the lines' lengths
};

}  // namespace zembrot
