#pragma once

// Learning days. A learner who plays past midnight is still on the evening's
// day: a learning day starts at 04:00 local time. Day 0 is the one that
// started on 1 January 1970 at 04:00 local time; the number of days between
// two reviews is the difference of their day numbers, so a daylight-saving
// change or a journey changes nothing but where the next 04:00 falls.

#include <cstdint>

namespace zembrot::learning {

// The hour (local time) at which a learning day starts.
inline constexpr int kDayStartHour = 4;

// The learning day of an instant: `utc_ms` milliseconds since the epoch
// (UTC) and `utc_offset_seconds`, the offset of local time from UTC at that
// instant (east positive; the caller asks the system's time zone).
std::int64_t LearningDay(std::int64_t utc_ms, std::int32_t utc_offset_seconds);

}  // namespace zembrot::learning
