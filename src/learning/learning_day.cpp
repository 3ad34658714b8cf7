#include "learning/learning_day.h"

namespace zembrot::learning {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;

// Rounds towards minus infinity: instants before the epoch get negative days.
std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

std::int64_t LearningDay(std::int64_t utc_ms, std::int32_t utc_offset_seconds) {
  const std::int64_t local_ms = utc_ms + static_cast<std::int64_t>(utc_offset_seconds) * 1000;
  return FloorDivide(local_ms - static_cast<std::int64_t>(kDayStartHour) * 60 * 60 * 1000, kMillisecondsPerDay);
}

}  // namespace zembrot::learning
