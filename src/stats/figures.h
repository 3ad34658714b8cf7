#pragma once

// The numbers behind the statistics window and `zembrot --stats`, worked
// out from the review log alone: the memory model replays every review, so
// the figures never depend on a cached state. Each plot gets a plain series;
// drawing them is the window's business.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "learning/fsrs.h"
#include "stats/review_log.h"

namespace zembrot::stats {

// A word counts as known once its memory is stable for at least 21 days.
inline constexpr double kKnownStability = 21;
// The practice calendar shows this many weeks, Monday to Sunday, the last
// of them holding today.
inline constexpr int kCalendarWeeks = 53;
inline constexpr int kDueDays = 30;
inline constexpr std::size_t kHardestWordCount = 10;
// A game shorter than this says nothing of speed (one word in the first
// seconds of a game would be a hundred words a minute): it is left out.
inline constexpr std::int64_t kShortestTimedGameMs = 30'000;
// Known over time shows at most this many days (a clock once set to 1970
// must not make a series of twenty thousand days).
inline constexpr std::int64_t kLongestHistoryDays = 3660;

struct KnownOnDay {
  std::int64_t day = 0;
  int known = 0;  // words whose stability is at least kKnownStability at the day's end
  int seen = 0;   // words reviewed at least once by the day's end

  friend bool operator==(const KnownOnDay&, const KnownOnDay&) = default;
};

struct PracticeCalendar {
  std::int64_t first_day = 0;  // a Monday
  std::vector<int> reviews;    // reviews done on first_day + i, through today
  int busiest = 0;             // the most reviews on one of these days

  friend bool operator==(const PracticeCalendar&, const PracticeCalendar&) = default;
};

struct GameFigures {
  int number = 0;  // 1 for the first game with a word in it, in order of start
  std::int64_t game_id = 0;
  int matched = 0;   // words typed (recalled or copied)
  int recalled = 0;  // outcome 1
  int missed = 0;    // outcome 3
  double minutes = 0;
  double words_per_minute = 0;            // matched / minutes
  std::optional<double> recalled_share;  // recalled / (recalled + missed), 0..1; none without either

  friend bool operator==(const GameFigures&, const GameFigures&) = default;
};

// y = slope * x + intercept.
struct Line {
  double slope = 0;
  double intercept = 0;
  double At(double x) const { return slope * x + intercept; }
};

struct Point {
  double x = 0;
  double y = 0;
};

// The least-squares line through the points; none with fewer than two
// distinct x.
std::optional<Line> LeastSquares(std::span<const Point> points);

struct HardWord {
  std::int64_t word_id = 0;
  std::string english;
  std::string chinese;
  int misses = 0;   // outcome 3
  int recalls = 0;  // outcome 1
  int reviews = 0;  // every outcome
  double recall_share = 0;  // recalls / (recalls + misses)

  friend bool operator==(const HardWord&, const HardWord&) = default;
};

struct Summary {
  int known = 0;          // words known now
  int streak = 0;         // days practised in a row, up to today (or yesterday, while today has none yet)
  int reviews_today = 0;

  friend bool operator==(const Summary&, const Summary&) = default;
};

struct Figures {
  std::int64_t today = 0;
  std::size_t review_count = 0;
  // Day by day from the first review's day through today.
  std::vector<KnownOnDay> known;
  PracticeCalendar calendar;
  // Games with at least one word that lasted kShortestTimedGameMs or more,
  // in order of start.
  std::vector<GameFigures> games;
  std::optional<Line> speed_trend;   // words per minute over the game number
  std::optional<Line> recall_trend;  // recalled share over the game number
  // Words coming due on today + i; today's count holds the overdue words.
  std::vector<int> due;
  // At most kHardestWordCount words with a miss: the most misses first, then
  // the lowest recalled share, then the most reviews, then the lower id.
  std::vector<HardWord> hardest;
  Summary summary;

  bool Empty() const { return review_count == 0; }
};

// Every figure, from one pass over the log. `today` is the learning day of
// now. Reviews are replayed in their order; a review whose day lies before
// an earlier review's (the clock was set back) counts on that later day.
Figures ComputeFigures(const ReviewLog& log, std::int64_t today,
                       const learning::FsrsModel& model = learning::FsrsModel());

// The summary as one line of text (UTF-8), as the window and the terminal show it.
std::string SummaryLine(const Summary& summary);

// The weekday of a learning day: 0 for Monday to 6 for Sunday.
int Weekday(std::int64_t day);

struct CalendarDate {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31

  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// The date on which a learning day starts (at 04:00 local time).
CalendarDate DateOfDay(std::int64_t day);

// How dark a calendar day is drawn: 0 for no review, else 1 to 4 by the
// quarter of the busiest day's count it reaches.
int ShadeLevel(int reviews, int busiest);

// Days between `first` and `last` (both included) worth a label on a time
// axis, at most `most` of them: whole months (the 1st of every 1, 2, 3, 6
// or 12 months) over a long span, else Mondays every 1, 2 or 4 weeks, else
// every 1, 2 or 5 days from `first`.
std::vector<std::int64_t> DateTicks(std::int64_t first, std::int64_t last, int most);

}  // namespace zembrot::stats
