#pragma once

// The lines of a list, for comparing with an expected table in one go.

#include <string>
#include <vector>

#include "content/string_list.h"

namespace zembrot::testing_lines {

using Lines = std::vector<std::string>;

inline Lines LinesOf(const TStringList& list) {
  Lines lines;
  for (int i = 0; i < list.LineCount(); ++i) lines.push_back(list.LineAt(i));
  return lines;
}

}  // namespace zembrot::testing_lines
