#include "base/mul_div.h"

#include <cstdint>

namespace zembrot {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t rounded = (magnitude * 2 + divisor) / (divisor * 2);
  return static_cast<int>(negative ? -rounded : rounded);
}

}  // namespace zembrot
