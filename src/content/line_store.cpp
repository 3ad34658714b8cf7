#include "content/line_store.h"

#include <algorithm>
#include <utility>

namespace zembrot {

namespace {

// Bytes of a loaded text that belong to no line (line ends, anything after a
// zero byte) are kept unless they outweigh the lines by this much.
constexpr std::size_t kTolerableWaste = 4096;
constexpr std::size_t kSmallestBuffer = 64;

}  // namespace

std::string_view LineStore::At(std::size_t index) const {
  const LineSpan span = spans_[index];
  return bytes_.View().substr(span.offset, span.length);
}

void LineStore::Replace(ByteBuffer text) {
  std::vector<LineSpan> spans = FindLines(text.View());
  std::size_t live = 0;
  for (const LineSpan& span : spans) live += span.length;
  if (text.Size() > 2 * live + kTolerableWaste) {
    // A short text before a zero byte must not keep a large file alive.
    ByteBuffer compact(live);
    for (LineSpan& span : spans) {
      const std::size_t offset = compact.Size();
      compact.AppendWithinCapacity(text.View().substr(span.offset, span.length));
      span.offset = offset;
    }
    text = std::move(compact);
  }
  bytes_ = std::move(text);
  spans_.swap(spans);
  liveBytes_ = live;
}

void LineStore::Set(std::size_t index, std::string_view line) {
  const std::size_t offset = Store(line);
  liveBytes_ = liveBytes_ - spans_[index].length + line.size();
  spans_[index] = {offset, line.size()};
}

void LineStore::Erase(std::size_t index) {
  liveBytes_ -= spans_[index].length;
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(index));
}

void LineStore::Append(std::string_view line) {
  // Room for the span first, so that nothing can fail once the bytes are stored.
  if (spans_.size() == spans_.capacity()) spans_.reserve(std::max<std::size_t>(16, spans_.size() * 2));
  const std::size_t offset = Store(line);
  spans_.push_back({offset, line.size()});
  liveBytes_ += line.size();
}

std::size_t LineStore::Store(std::string_view line) {
  // `line` is the caller's string, never bytes of this store, so it stays
  // valid when the lines move.
  if (bytes_.Capacity() - bytes_.Size() < line.size()) {
    ByteBuffer fresh(std::max(2 * (liveBytes_ + line.size()), kSmallestBuffer));
    MoveLinesTo(fresh);
    bytes_ = std::move(fresh);
  }
  const std::size_t offset = bytes_.Size();
  bytes_.AppendWithinCapacity(line);
  return offset;
}

void LineStore::MoveLinesTo(ByteBuffer& fresh) noexcept {
  for (LineSpan& span : spans_) {
    const std::size_t offset = fresh.Size();
    fresh.AppendWithinCapacity(bytes_.View().substr(span.offset, span.length));
    span.offset = offset;
  }
}

}  // namespace zembrot
