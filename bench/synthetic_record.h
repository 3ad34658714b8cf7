#pragma once

// A synthetic year of daily practice in a learning record: 365 days ending
// today, 36,500 reviews in all (40 to 160 a day), two games a day, over a
// vocabulary that grows from 40 to 600 words, each recalled more often the
// more it has been practised, by a learner who gets faster over the year. For the statistics' benchmark and for trying
// the window by hand (bench/make_synthetic_record).

#include <cstdint>

#include <QString>

namespace zembrot::bench {

inline constexpr int kSyntheticDays = 365;
inline constexpr int kSyntheticReviews = 36500;

// Writes the year into a new record at `path` (which must not exist yet),
// the last day being the learning day of `now_ms`; false with the reason
// on stderr when it cannot.
bool WriteSyntheticYear(const QString& path, std::int64_t now_ms);

}  // namespace zembrot::bench
