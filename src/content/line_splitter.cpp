#include "content/line_splitter.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <climits>
#include <cstring>

#include "base/errors.h"

namespace zembrot {

namespace {

const char* Find(const char* from, const char* end, char byte) {
  const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
  return found != nullptr ? static_cast<const char*>(found) : end;
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;

// High bit set in each byte of `block` that is zero. A borrow can also flag a
// byte above a zero byte, never one below, so the lowest flag is exact.
constexpr std::uint64_t ZeroBytes(std::uint64_t block) {
  return (block - kEveryByte) & ~block & (kEveryByte * 0x80);
}

// Exactly the zero bytes of `block`, each flagged by its high bit.
constexpr std::uint64_t ExactZeroBytes(std::uint64_t block) {
  constexpr std::uint64_t kLowSeven = kEveryByte * 0x7F;
  return ~(((block & kLowSeven) + kLowSeven) | block | kLowSeven);
}

std::size_t CountLineFeeds(const char* from, const char* end) {
  std::size_t count = 0;
  for (; end - from >= 8; from += 8) {
    std::uint64_t block;
    std::memcpy(&block, from, sizeof block);
    count += static_cast<std::size_t>(std::popcount(ExactZeroBytes(block ^ (kEveryByte * '\n'))));
  }
  return count + static_cast<std::size_t>(std::count(from, end, '\n'));
}

// The first CR or LF at or after `from`, or `end`. Practice lines are short,
// so one pass of eight bytes at a time beats a library search for each of
// the two bytes per line.
const char* FindLineEnd(const char* from, const char* end) {
  while (end - from >= 8) {
    std::uint64_t block;
    std::memcpy(&block, from, sizeof block);
    const std::uint64_t hits = ZeroBytes(block ^ (kEveryByte * '\r')) | ZeroBytes(block ^ (kEveryByte * '\n'));
    if (hits != 0) {
      const int bit = std::endian::native == std::endian::little ? std::countr_zero(hits) : std::countl_zero(hits);
      return from + bit / 8;
    }
    from += 8;
  }
  while (from < end && *from != '\r' && *from != '\n') ++from;
  return from;
}

// The list's count is a signed 32-bit number.
constexpr std::size_t kMostLines = INT_MAX;

}  // namespace

std::vector<LineSpan> FindLines(std::string_view text) {
  std::vector<LineSpan> lines;
  if (text.empty()) return lines;
  const char* const start = text.data();
  const char* position = start;
  const char* const end = Find(position, position + text.size(), '\0');
  if (position == end) return lines;

  // Every line but a CR-only one ends in LF, so the LF count is a close upper
  // bound of the line count and saves regrowing a vector of millions of lines.
  lines.reserve(std::min<std::size_t>(CountLineFeeds(position, end) + 1, kMostLines));

  while (position < end) {
    const char* const lineEnd = FindLineEnd(position, end);
    if (lines.size() == kMostLines) throw EStringListError(INT_MAX);
    lines.push_back({static_cast<std::size_t>(position - start), static_cast<std::size_t>(lineEnd - position)});
    position = lineEnd;
    if (position < end && *position == '\r') ++position;
    if (position < end && *position == '\n') ++position;
  }
  return lines;
}

}  // namespace zembrot
