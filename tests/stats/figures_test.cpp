// The figures behind the statistics from a fixed review log (fixed_log.h).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "fixed_log.h"
#include "stats/figures.h"

namespace zembrot::stats {
namespace {

using testing::FixedLog;
using testing::Review;
using testing::kToday;

std::string S(auto value) { return std::to_string(value); }
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// Each plot's figures as a line of text, so that one table holds them all.
// Known over time: the days on which either count changed, the series'
// length and its last day.
std::string KnownText(const Figures& f) {
  std::string text = S(f.known.size()) + " days:";
  const KnownOnDay* before = nullptr;
  for (const KnownOnDay& day : f.known) {
    if (before == nullptr || day.known != before->known || day.seen != before->seen || day.day != before->day + 1) {
      text += " " + S(day.day) + "=" + S(day.known) + "/" + S(day.seen);
    }
    before = &day;
  }
  return text + " last " + S(f.known.empty() ? 0 : f.known.back().day);
}

// The days (by index) that are not zero.
std::string NonZero(const std::vector<int>& counts) {
  std::string text;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] != 0) text += " " + S(i) + "=" + S(counts[i]);
  }
  return text;
}

std::string CalendarText(const Figures& f) {
  return "from " + S(f.calendar.first_day) + ", " + S(f.calendar.reviews.size()) + " days, busiest " +
         S(f.calendar.busiest) + ":" + NonZero(f.calendar.reviews);
}

std::string GamesText(const Figures& f) {
  std::string text;
  for (const GameFigures& g : f.games) {
    text += "#" + S(g.number) + " game " + S(g.game_id) + " " + S(g.matched) + "/" + S(g.recalled) + "/" +
            S(g.missed) + " " + Number(g.words_per_minute) + " wpm " +
            (g.recalled_share ? Number(*g.recalled_share) : std::string("-")) + "; ";
  }
  return text;
}

std::string TrendText(const std::optional<Line>& line) {
  return line ? Number(line->slope) + " x + " + Number(line->intercept) : std::string("none");
}

std::string HardestText(const Figures& f) {
  std::string text;
  for (const HardWord& w : f.hardest) {
    text += w.english + " " + w.chinese + " " + S(w.misses) + "/" + S(w.recalls) + "/" + S(w.reviews) + " " +
            Number(w.recall_share) + "; ";
  }
  return text;
}

TEST(Figures, EachPlotFromTheFixedLogAndFromAnEmptyRecord) {
  const struct {
    const char* plot;
    std::function<std::string(const Figures&)> shown;
    const char* fixed;
    const char* empty;
  } cases[] = {
      {"reviews", [](const Figures& f) { return S(f.review_count) + (f.Empty() ? " empty" : ""); }, "16", "0 empty"},
      // The day before a count changes is not listed: from 19819 on, one
      // word seen; pear known from 19939 (S 53.06) to its miss on 19999;
      // apple known from today (S 48.27), while pear is not.
      {"known over time", KnownText,
       "182 days: 19819=0/1 19939=1/1 19988=1/2 19990=1/3 19999=0/4 20000=1/5 last 20000", "0 days: last 0"},
      // 53 weeks from Monday 2 October 2023 (day 19632) to today.
      {"practice calendar", CalendarText,
       "from 19632, 369 days, busiest 4: 187=1 307=1 356=3 357=1 358=1 360=1 363=1 367=3 368=4",
       "from 19632, 369 days, busiest 0:"},
      // Game 4 was never ended: it lasted until its last word (1 minute).
      // The copied word counts as typed, not in the share; game 9 had no word.
      {"speed and accuracy", GamesText,
       "#1 game 1 1/1/0 1.000000 wpm 1.000000; #2 game 2 1/1/0 2.000000 wpm 1.000000; "
       "#3 game 3 3/3/0 0.750000 wpm 1.000000; #4 game 4 1/1/0 1.000000 wpm 1.000000; "
       "#5 game 5 1/1/0 0.500000 wpm 1.000000; #6 game 6 1/1/0 1.000000 wpm 1.000000; "
       "#7 game 7 1/0/2 0.250000 wpm 0.000000; #8 game 8 2/1/2 0.400000 wpm 0.333333; ",
       ""},
      {"speed trend", [](const Figures& f) { return TrendText(f.speed_trend); }, "-0.151190 x + 1.542857", "none"},
      {"accuracy trend", [](const Figures& f) { return TrendText(f.recall_trend); }, "-0.115079 x + 1.309524", "none"},
      // Milk is overdue (counted today); tea and rice tomorrow; pear in
      // three days after its miss yesterday: 19999 + 3 = today + 2.
      // Apple is due in 48 days, beyond the plot.
      {"due in the next 30 days", [](const Figures& f) { return S(f.due.size()) + " days:" + NonZero(f.due); },
       "30 days: 0=1 1=2 2=1", "30 days:"},
      // Tea missed twice; rice and pear once each, rice never recalled.
      {"hardest words", HardestText, "tea 茶 2/0/4 0.000000; rice 米饭 1/0/1 0.000000; pear 梨 1/2/3 0.666667; ", ""},
      // Today and yesterday had reviews, the day before none.
      {"summary", [](const Figures& f) { return SummaryLine(f.summary); }, "已掌握 1 个单词 · 连续练习 2 天 · 今天复习 4 次",
       "已掌握 0 个单词 · 连续练习 0 天 · 今天复习 0 次"},
  };
  const Figures fixed = ComputeFigures(FixedLog(), kToday);
  const Figures empty = ComputeFigures(ReviewLog{}, kToday);
  for (const auto& c : cases) {
    EXPECT_EQ(c.shown(fixed), c.fixed) << c.plot;
    EXPECT_EQ(c.shown(empty), c.empty) << c.plot << " of an empty record";
  }
}

TEST(Figures, TheStreakAndTheDaysFollowTheLearningDaysAsRecorded) {
  // Each case: the days of one review each, and the streak and today's count.
  const struct {
    std::vector<std::int64_t> days;
    int streak;
    int today;
    const char* known;
  } cases[] = {
      {{19998, 19999}, 2, 0, "3 days: 19998=0/1 last 20000"},  // still alive while today has none
      {{19997, 19998}, 0, 0, "4 days: 19997=0/1 last 20000"},  // yesterday missed: broken
      // The clock was set back: the review of day 19990 counts on 19999,
      // where the series already stood; the streak sees the days as recorded.
      {{19999, 19990, 20000}, 2, 1, "2 days: 19999=0/1 last 20000"},
      // A review stamped in the future stretches the series to its day.
      {{20000, 20003}, 1, 1, "4 days: 20000=0/1 last 20003"},
      // A clock once set to 1970 makes no endless series: ten years at most.
      {{0, 20000}, 1, 1, "3660 days: 16341=0/1 last 20000"},
  };
  for (const auto& c : cases) {
    ReviewLog log;
    log.words = {{1, "apple", "苹果"}};
    for (const std::int64_t day : c.days) log.reviews.push_back(Review(day, 1, std::nullopt, 3, 1, 1));
    const Figures figures = ComputeFigures(log, kToday);
    EXPECT_EQ(figures.summary.streak, c.streak) << c.known;
    EXPECT_EQ(figures.summary.reviews_today, c.today) << c.known;
    EXPECT_EQ(KnownText(figures), c.known);
  }
}

TEST(Figures, GamesTooShortToTimeAreLeftOut) {
  // Each game holds one recalled word at its 10th second.
  const struct {
    std::optional<std::int64_t> ended_after_ms;
    bool kept;
  } cases[] = {
      {30'000, true},  // half a minute: 2 words a minute
      {29'999, false},
      {std::nullopt, false},  // never ended: it lasted until its word, 10 s
      {0, false},             // ended before its word: the word's time counts, 10 s
  };
  for (const auto& c : cases) {
    ReviewLog log;
    log.words = {{1, "apple", "苹果"}};
    const std::int64_t start = testing::At(kToday, 0);
    log.games = {{1, start, c.ended_after_ms ? std::optional<std::int64_t>(start + *c.ended_after_ms) : std::nullopt}};
    log.reviews = {{start + 10'000, kToday, 1, 1, 1, 3}};
    EXPECT_EQ(GamesText(ComputeFigures(log, kToday)), c.kept ? "#1 game 1 1/1/0 2.000000 wpm 1.000000; " : "")
        << (c.ended_after_ms ? *c.ended_after_ms : -1);
  }
}

TEST(Figures, LeastSquares) {
  const struct {
    std::vector<Point> points;
    const char* line;
  } cases[] = {
      {{{1, 1}, {2, 3}, {3, 5}}, "2.000000 x + -1.000000"},
      {{{0, 0}, {1, 1}, {2, 0}, {3, 1}}, "0.200000 x + 0.200000"},
      {{{2, 1}, {2, 5}}, "none"},  // one x: no slope
      {{}, "none"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrendText(LeastSquares(c.points)), c.line) << c.line;
}

TEST(Figures, CalendarDatesAndWeekdays) {
  const struct {
    std::int64_t day;
    CalendarDate date;
    int weekday;  // 0 Monday
  } cases[] = {
      {0, {1970, 1, 1}, 3},         {-1, {1969, 12, 31}, 2},     {20000, {2024, 10, 4}, 4},
      {11016, {2000, 2, 29}, 1},    {11017, {2000, 3, 1}, 2},    {-25508, {1900, 3, 1}, 3},
      {47540, {2100, 2, 28}, 6},    {19632, {2023, 10, 2}, 0},   {20088, {2024, 12, 31}, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateOfDay(c.day), c.date) << c.day;
    EXPECT_EQ(Weekday(c.day), c.weekday) << c.day;
  }
}

TEST(Figures, ShadeLevelsByQuartersOfTheBusiestDay) {
  const struct {
    int reviews;
    int busiest;
    int level;
  } cases[] = {
      {0, 40, 0}, {1, 40, 1}, {10, 40, 1}, {11, 40, 2}, {20, 40, 2}, {21, 40, 3},
      {30, 40, 3}, {31, 40, 4}, {40, 40, 4}, {1, 1, 4}, {3, 0, 0}, {-2, 40, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShadeLevel(c.reviews, c.busiest), c.level) << c.reviews << " of " << c.busiest;
  }
}

TEST(Figures, DateTicksPickTheFinestStepThatFits) {
  const struct {
    std::int64_t first;
    std::int64_t last;
    int most;
    std::vector<std::int64_t> ticks;
  } cases[] = {
      {20000, 20000, 6, {20000}},
      {19996, 20000, 6, {19996, 19997, 19998, 19999, 20000}},  // every day
      {19988, 20000, 6, {19988, 19993, 19998}},         // every 5 days
      {19988, 20040, 6, {19989, 20003, 20017, 20031}},  // Mondays every 2 weeks
      {19819, 20000, 6, {19844, 19875, 19905, 19936, 19967, 19997}},  // 1 May .. 1 October 2024
      {19632, 20000, 6, {19662, 19723, 19783, 19844, 19905, 19967}},  // every 2 months from January
      {20000, 19990, 6, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(DateTicks(c.first, c.last, c.most), c.ticks) << c.first << ".." << c.last;
}

}  // namespace
}  // namespace zembrot::stats
