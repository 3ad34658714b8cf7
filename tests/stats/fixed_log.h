#pragma once

// A fixed review log for the statistics' tests. The memory states it leads
// to are those of the committed FSRS reference vectors
// (tests/learning/fsrs_vectors.csv), named beside each word.

#include <cstdint>
#include <optional>

#include "stats/review_log.h"

namespace zembrot::stats::testing {

constexpr std::int64_t kToday = 20000;  // Friday, 4 October 2024
constexpr std::int64_t kDayMs = 86'400'000;
constexpr std::int64_t kMinuteMs = 60'000;

// An instant on a learning day (UTC, so the day starts at 04:00 UTC).
inline std::int64_t At(std::int64_t day, double minutes) {
  return day * kDayMs + 4 * 60 * kMinuteMs + static_cast<std::int64_t>(minutes * kMinuteMs);
}

inline LoggedReview Review(std::int64_t day, std::int64_t word, std::optional<std::int64_t> game, int outcome, int grade,
                    double minute) {
  return {At(day, minute), day, word, game, outcome, grade};
}

inline LoggedGame Game(std::int64_t id, std::int64_t day, std::optional<double> ended_minute) {
  return {id, At(day, 0), ended_minute ? std::optional<std::int64_t>(At(day, *ended_minute)) : std::nullopt};
}

// Outcomes: 1 recalled, 2 copied, 3 missed. Grades: 3 good, 1 again, 0 none.
inline ReviewLog FixedLog() {
  ReviewLog log;
  log.words = {{1, "apple", "苹果"}, {2, "pear", "梨"}, {3, "tea", "茶"}, {4, "rice", "米饭"}, {5, "milk", "牛奶"}};
  log.games = {Game(1, 19819, 1),   Game(2, 19939, 0.5), Game(3, 19988, 4), Game(4, 19989, std::nullopt),
               Game(5, 19990, 2),   Game(6, 19995, 1),   Game(7, 19999, 4), Game(8, 20000, 5),
               {9, At(20000, 10), At(20000, 11)}};  // no word in it
  log.reviews = {
      // pear, as vector sequence 172: good, good 120 days later (S 53.06), again 60 days later (S 3.14, 3 days).
      Review(19819, 2, 1, 1, 3, 1),
      Review(19939, 2, 2, 1, 3, 1),
      // apple, as sequence 4: good three times on one day, then 1, 3 and 8 days later (S 19.86, then 48.27).
      Review(19988, 1, 3, 1, 3, 1),
      Review(19988, 1, 3, 1, 3, 2),
      Review(19988, 1, 3, 1, 3, 3),
      Review(19989, 1, 4, 1, 3, 1),
      // milk: good (S 2.3065, due two days later), then recalled with the hint ticked (no grade).
      Review(19990, 5, 5, 1, 3, 1),
      Review(19992, 1, std::nullopt, 1, 3, 1),
      Review(19995, 5, 6, 1, 0, 1),
      Review(19999, 2, 7, 3, 1, 1),
      // tea, as sequence 7: again, again a day later (S 0.10, due the next day); copied in between.
      Review(19999, 3, 7, 3, 1, 2),
      Review(19999, 3, 7, 2, 0, 3),
      Review(20000, 1, 8, 1, 3, 1),
      Review(20000, 3, 8, 3, 1, 2),
      // rice: again (S 0.212, due the next day).
      Review(20000, 4, 8, 3, 1, 3),
      Review(20000, 3, 8, 2, 0, 4),
  };
  return log;
}

}  // namespace zembrot::stats::testing
