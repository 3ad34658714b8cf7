#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zembrot {

// Where a line lies in the text it was found in.
struct LineSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
};

// The lines of `text`: CR LF, a lone CR or a lone LF ends a line, a line end
// at the very end adds no empty line, and the first NUL byte ends the text.
// Raises EStringListError when the text holds more lines than a list can
// count.
std::vector<LineSpan> FindLines(std::string_view text);

}  // namespace zembrot
