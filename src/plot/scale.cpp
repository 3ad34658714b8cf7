#include "plot/scale.h"

#include <algorithm>
#include <cmath>

namespace zembrot::plot {

Scale NiceScale(double low, double high, int most, bool whole) {
  most = std::max(most, 2);
  if (!(high > low)) high = low + (whole ? 1.0 : std::max(std::abs(low), 1.0));
  // The smallest power of ten that could work, then 1, 2, 5 times it and on.
  double power = std::pow(10.0, std::floor(std::log10((high - low) / (most - 1))));
  if (whole) power = std::max(power, 1.0);
  for (;; power *= 10) {
    for (const double factor : {1.0, 2.0, 5.0}) {
      const double step = factor * power;
      const double first = std::floor(low / step + 1e-9);
      const double last = std::ceil(high / step - 1e-9);
      if (last - first + 1 > most) continue;
      Scale scale;
      scale.step = step;
      for (double i = first; i <= last; ++i) scale.ticks.push_back(i * step);
      scale.low = scale.ticks.front();
      scale.high = scale.ticks.back();
      return scale;
    }
  }
}

}  // namespace zembrot::plot
