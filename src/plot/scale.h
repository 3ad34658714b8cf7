#pragma once

// Round numbers for an axis.

#include <vector>

namespace zembrot::plot {

struct Scale {
  double low = 0;
  double high = 1;
  double step = 1;
  std::vector<double> ticks;  // low, low + step, ..., high
};

// The axis over [low, high] with at most `most` ticks (at least 2), a step
// of 1, 2 or 5 times a power of ten, the ends on ticks. `whole` keeps the
// step at 1 or more (counts of things). An empty range is widened to one
// step above `low`.
Scale NiceScale(double low, double high, int most, bool whole = false);

}  // namespace zembrot::plot
