#include <gtest/gtest.h>

#include <cstdint>

#include "learning/learning_day.h"

namespace zembrot::learning {
namespace {

// Instants as UTC milliseconds with the local offset then in force; the
// comment gives the local time.
TEST(LearningDay, StartsAtFourInTheMorningLocalTime) {
  const struct {
    const char* local;
    std::int64_t utc_ms;
    std::int32_t offset;
    std::int64_t day;
  } cases[] = {
      {"1970-01-01 00:00 UTC", 0, 0, -1},
      {"1970-01-01 03:59:59.999 UTC", 14399999, 0, -1},
      {"1970-01-01 04:00 UTC", 14400000, 0, 0},
      {"1969-12-31 05:00 UTC", -68400000, 0, -1},
      {"1969-12-31 03:00 UTC", -75600000, 0, -2},
      // Beijing: the same UTC date would say 31 May for both.
      {"2024-06-01 03:59:59.999 +08", 1717185599999, 28800, 19874},
      {"2024-06-01 04:00 +08", 1717185600000, 28800, 19875},
      // Berlin, spring forward on 31 March 2024 (02:00 CET -> 03:00 CEST).
      {"2024-03-30 23:30 CET", 1711837800000, 3600, 19812},
      {"2024-03-31 03:59 CEST", 1711850340000, 7200, 19812},
      {"2024-03-31 04:00 CEST", 1711850400000, 7200, 19813},
      // Berlin, fall back on 27 October 2024 (03:00 CEST -> 02:00 CET).
      {"2024-10-27 02:30 CEST", 1729989000000, 7200, 20022},
      {"2024-10-27 03:59 CET", 1729997940000, 3600, 20022},
      {"2024-10-27 04:00 CET", 1729998000000, 3600, 20023},
      // Far west and far east.
      {"2024-07-04 23:00 PDT", 1720159200000, -25200, 19908},
      {"2025-01-01 04:00 +14", 1735653600000, 50400, 20089},
      {"2025-01-01 03:00 -12", 1735743600000, -43200, 20088},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LearningDay(c.utc_ms, c.offset), c.day) << c.local;
  }
}

// Elapsed days are differences of day numbers, not of hours.
TEST(LearningDay, ElapsedDaysCountDayStartsNotHours) {
  const struct {
    const char* what;
    std::int64_t first_ms;
    std::int32_t first_offset;
    std::int64_t second_ms;
    std::int32_t second_offset;
    std::int64_t elapsed;
  } cases[] = {
      {"22:00 CET to 22:00 CEST the next day: 23 hours, one day", 1711832400000, 3600, 1711915200000, 7200, 1},
      {"04:00 CEST to 03:59 CET the next day: 25 hours, same day", 1729908000000, 7200, 1729997940000, 3600, 0},
      {"03:59 to 04:00 on one morning: a minute, one day", 1717185599999, 28800, 1717185600000, 28800, 1},
      {"23:30 CET to 04:00 CEST the next morning", 1711837800000, 3600, 1711850400000, 7200, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LearningDay(c.second_ms, c.second_offset) - LearningDay(c.first_ms, c.first_offset), c.elapsed)
        << c.what;
  }
}

}  // namespace
}  // namespace zembrot::learning
