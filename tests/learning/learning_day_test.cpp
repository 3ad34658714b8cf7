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
      {"1970-01-01 03:59:59.999 UTC", 14399999, 0, -1},
      {"1970-01-01 04:00 UTC", 14400000, 0, 0},
      {"1969-12-31 03:00 UTC", -75600000, 0, -2},
      // Beijing: the same UTC date would say 31 May for both.
      {"2024-06-01 03:59:59.999 +08", 1717185599999, 28800, 19874},
      {"2024-06-01 04:00 +08", 1717185600000, 28800, 19875},
      // Berlin, spring forward on 31 March 2024 (02:00 CET -> 03:00 CEST).
      {"2024-03-30 23:30 CET", 1711837800000, 3600, 19812},
      {"2024-03-31 03:59 CEST", 1711850340000, 7200, 19812},
      {"2024-03-31 04:00 CEST", 1711850400000, 7200, 19813},
      // Berlin, fall back on 27 October 2024 (03:00 CEST -> 02:00 CET): 25
      // hours from 04:00 CEST the day before to 03:59 CET, and the same day.
      {"2024-10-26 04:00 CEST", 1729908000000, 7200, 20022},
      {"2024-10-27 03:59 CET", 1729997940000, 3600, 20022},
      {"2024-10-27 04:00 CET", 1729998000000, 3600, 20023},
      // West of Greenwich.
      {"2024-07-04 23:00 PDT", 1720159200000, -25200, 19908},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LearningDay(c.utc_ms, c.offset), c.day) << c.local;
  }
}

}  // namespace
}  // namespace zembrot::learning
