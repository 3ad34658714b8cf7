#include "content/line_splitter.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/errors.h"

namespace zembrot {

namespace {

// The first `byte` in [from, end), or `end`.
const char* Find(const char* from, const char* end, char byte) {
  const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
  return found != nullptr ? static_cast<const char*>(found) : end;
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
  lines.reserve(std::min<std::size_t>(static_cast<std::size_t>(std::count(position, end, '\n')) + 1, kMostLines));

  // The next CR and the next LF, each searched for again only once the lines
  // have passed it: a file of lone CRs (or lone LFs) is not searched to its
  // end for the other byte once per line.
  const char* nextCr = Find(position, end, '\r');
  const char* nextLf = Find(position, end, '\n');
  while (position < end) {
    if (nextCr < position) nextCr = Find(position, end, '\r');
    if (nextLf < position) nextLf = Find(position, end, '\n');
    const char* const lineEnd = std::min(nextCr, nextLf);
    if (lines.size() == kMostLines) throw EStringListError(INT_MAX);
    lines.push_back({static_cast<std::size_t>(position - start), static_cast<std::size_t>(lineEnd - position)});
    position = lineEnd;
    if (position < end && *position == '\r') ++position;
    if (position < end && *position == '\n') ++position;
  }
  return lines;
}

}  // namespace zembrot
