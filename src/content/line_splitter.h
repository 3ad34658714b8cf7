#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zembrot {

// The lines of `text`: CR LF, a lone CR or a lone LF ends a line, a line end
// at the very end adds no empty line, and the first NUL byte ends the text.
// Raises EStringListError when the text holds more lines than a list can
// count.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace zembrot
