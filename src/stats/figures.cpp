#include "stats/figures.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "learning/word_progress.h"

namespace zembrot::stats {

namespace {

constexpr double kMillisecondsPerMinute = 60'000;

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and
// back: eras of 400 years (146097 days) starting on 1 March, so that the
// leap day is the last day of its year.
std::int64_t DaysFromDate(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = FloorDivide(year, 400);
  const std::int64_t year_of_era = year - era * 400;                               // 0..399
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;  // 0..365
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

learning::Grade GradeOf(int number) {
  switch (number) {
    case 1: return learning::Grade::Again;
    case 2: return learning::Grade::Hard;
    case 3: return learning::Grade::Good;
    case 4: return learning::Grade::Easy;
    default: return learning::Grade::None;
  }
}

bool Known(const learning::WordProgress& progress) {
  return progress.memory && progress.memory->stability >= kKnownStability;
}

struct GameTally {
  int matched = 0;
  int recalled = 0;
  int missed = 0;
  std::int64_t last_at_ms = 0;
};

struct WordTally {
  bool seen = false;
  learning::WordProgress progress;
  int reviews = 0;
  int recalls = 0;  // outcome 1
  int misses = 0;   // outcome 3
};

// Every word's tally, found by its id. The record numbers its words from 1
// without gaps, so a vector indexed by id serves; any other id (a foreign
// or edited file) goes to a map.
class WordTallies {
 public:
  explicit WordTallies(const ReviewLog& log) {
    std::int64_t highest = 0;
    for (const LoggedWord& word : log.words) highest = std::max(highest, word.id);
    if (highest <= static_cast<std::int64_t>(4 * log.words.size() + 1024)) {
      dense_.resize(static_cast<std::size_t>(highest) + 1);
    }
  }

  WordTally& Of(std::int64_t id) {
    if (id >= 0 && id < static_cast<std::int64_t>(dense_.size())) return dense_[static_cast<std::size_t>(id)];
    return sparse_[id];
  }

  template <class Visit>
  void ForEachSeen(Visit visit) const {
    for (std::size_t id = 0; id < dense_.size(); ++id) {
      if (dense_[id].seen) visit(static_cast<std::int64_t>(id), dense_[id]);
    }
    for (const auto& [id, tally] : sparse_) {
      if (tally.seen) visit(id, tally);
    }
  }

 private:
  std::vector<WordTally> dense_;
  std::unordered_map<std::int64_t, WordTally> sparse_;
};

std::vector<GameFigures> GamesOf(const ReviewLog& log, const std::unordered_map<std::int64_t, GameTally>& tallies) {
  std::vector<const LoggedGame*> games;
  for (const LoggedGame& game : log.games) {
    if (tallies.count(game.id) != 0) games.push_back(&game);
  }
  std::stable_sort(games.begin(), games.end(), [](const LoggedGame* a, const LoggedGame* b) {
    return a->started_ms != b->started_ms ? a->started_ms < b->started_ms : a->id < b->id;
  });
  std::vector<GameFigures> figures;
  for (const LoggedGame* game : games) {
    const GameTally& tally = tallies.at(game->id);
    // A game that was never ended (the program was killed, or it still
    // runs) lasted at least until its last word.
    const std::int64_t ended = game->ended_ms && *game->ended_ms > game->started_ms ? *game->ended_ms
                                                                                      : tally.last_at_ms;
    if (ended - game->started_ms < kShortestTimedGameMs) continue;
    GameFigures entry;
    entry.number = static_cast<int>(figures.size()) + 1;
    entry.game_id = game->id;
    entry.matched = tally.matched;
    entry.recalled = tally.recalled;
    entry.missed = tally.missed;
    entry.minutes = static_cast<double>(ended - game->started_ms) / kMillisecondsPerMinute;
    entry.words_per_minute = tally.matched / entry.minutes;
    if (tally.recalled + tally.missed > 0) {
      entry.recalled_share = static_cast<double>(tally.recalled) / (tally.recalled + tally.missed);
    }
    figures.push_back(entry);
  }
  return figures;
}

std::vector<HardWord> HardestOf(const ReviewLog& log, const WordTallies& words) {
  std::vector<HardWord> hard;
  words.ForEachSeen([&](std::int64_t id, const WordTally& tally) {
    if (tally.misses == 0) return;
    HardWord word;
    word.word_id = id;
    word.misses = tally.misses;
    word.recalls = tally.recalls;
    word.reviews = tally.reviews;
    word.recall_share = static_cast<double>(tally.recalls) / (tally.recalls + tally.misses);
    hard.push_back(word);
  });
  std::sort(hard.begin(), hard.end(), [](const HardWord& a, const HardWord& b) {
    if (a.misses != b.misses) return a.misses > b.misses;
    if (a.recall_share != b.recall_share) return a.recall_share < b.recall_share;
    if (a.reviews != b.reviews) return a.reviews > b.reviews;
    return a.word_id < b.word_id;
  });
  if (hard.size() > kHardestWordCount) hard.resize(kHardestWordCount);
  for (HardWord& word : hard) {
    const auto named = std::find_if(log.words.begin(), log.words.end(),
                                    [&](const LoggedWord& logged) { return logged.id == word.word_id; });
    if (named == log.words.end()) continue;
    word.english = named->english;
    word.chinese = named->chinese;
  }
  return hard;
}

}  // namespace

std::optional<Line> LeastSquares(std::span<const Point> points) {
  if (points.size() < 2) return std::nullopt;
  // Centred sums: the game numbers run into the thousands, and squaring
  // them uncentred would cost precision for nothing.
  double mean_x = 0;
  double mean_y = 0;
  for (const Point& point : points) {
    mean_x += point.x;
    mean_y += point.y;
  }
  mean_x /= static_cast<double>(points.size());
  mean_y /= static_cast<double>(points.size());
  double spread_xx = 0;
  double spread_xy = 0;
  for (const Point& point : points) {
    spread_xx += (point.x - mean_x) * (point.x - mean_x);
    spread_xy += (point.x - mean_x) * (point.y - mean_y);
  }
  if (spread_xx == 0) return std::nullopt;
  const double slope = spread_xy / spread_xx;
  return Line{slope, mean_y - slope * mean_x};
}

Figures ComputeFigures(const ReviewLog& log, std::int64_t today, const learning::FsrsModel& model) {
  Figures figures;
  figures.today = today;
  figures.review_count = log.reviews.size();

  std::int64_t last_day = today;
  for (const LoggedReview& review : log.reviews) last_day = std::max(last_day, review.day);
  const std::int64_t calendar_first = today - 7 * (kCalendarWeeks - 1) - Weekday(today);
  figures.calendar.first_day = calendar_first;
  figures.calendar.reviews.assign(static_cast<std::size_t>(today - calendar_first + 1), 0);

  WordTallies words(log);
  std::unordered_map<std::int64_t, GameTally> games;
  std::unordered_set<std::int64_t> practice_days;
  int known = 0;
  int seen = 0;

  if (!log.reviews.empty()) {
    std::int64_t day = log.reviews.front().day;
    const std::int64_t first_kept = std::max(day, last_day - kLongestHistoryDays + 1);
    const auto close_days_before = [&](std::int64_t until) {
      if (day < first_kept) day = std::min(until, first_kept);
      for (; day < until; ++day) figures.known.push_back({day, known, seen});
    };
    // The reviews of one game come one after another.
    std::optional<std::int64_t> game_id;
    GameTally* game = nullptr;
    std::optional<std::int64_t> previous_day;
    for (const LoggedReview& review : log.reviews) {
      close_days_before(std::max(day, review.day));
      WordTally& word = words.Of(review.word_id);
      if (!word.seen) {
        word.seen = true;
        ++seen;
      }
      const bool was_known = Known(word.progress);
      word.progress = learning::ApplyReview(model, word.progress, review.day, GradeOf(review.grade));
      known += static_cast<int>(Known(word.progress)) - static_cast<int>(was_known);
      ++word.reviews;
      if (review.outcome == 1) ++word.recalls;
      if (review.outcome == 3) ++word.misses;

      if (review.game_id) {
        if (review.game_id != game_id) {
          game_id = review.game_id;
          game = &games[*review.game_id];
        }
        if (review.outcome == 1 || review.outcome == 2) ++game->matched;
        if (review.outcome == 1) ++game->recalled;
        if (review.outcome == 3) ++game->missed;
        game->last_at_ms = std::max(game->last_at_ms, review.at_ms);
      }
      if (review.day >= calendar_first && review.day <= today) {
        ++figures.calendar.reviews[static_cast<std::size_t>(review.day - calendar_first)];
      }
      if (review.day != previous_day) {
        practice_days.insert(review.day);
        previous_day = review.day;
      }
      if (review.day == today) ++figures.summary.reviews_today;
    }
    close_days_before(last_day + 1);
  }
  for (const int count : figures.calendar.reviews) figures.calendar.busiest = std::max(figures.calendar.busiest, count);

  figures.games = GamesOf(log, games);
  std::vector<Point> speed;
  std::vector<Point> recall;
  for (const GameFigures& game : figures.games) {
    speed.push_back({static_cast<double>(game.number), game.words_per_minute});
    if (game.recalled_share) recall.push_back({static_cast<double>(game.number), *game.recalled_share});
  }
  figures.speed_trend = LeastSquares(speed);
  figures.recall_trend = LeastSquares(recall);

  figures.due.assign(kDueDays, 0);
  words.ForEachSeen([&](std::int64_t, const WordTally& word) {
    if (!word.progress.memory) return;
    const std::int64_t ahead = std::max<std::int64_t>(word.progress.due_day - today, 0);
    if (ahead < kDueDays) ++figures.due[static_cast<std::size_t>(ahead)];
  });
  figures.hardest = HardestOf(log, words);

  figures.summary.known = known;
  std::int64_t streak_day = practice_days.count(today) != 0 ? today : today - 1;
  while (practice_days.count(streak_day) != 0) {
    ++figures.summary.streak;
    --streak_day;
  }
  return figures;
}

std::string SummaryLine(const Summary& summary) {
  return "已掌握 " + std::to_string(summary.known) + " 个单词 · 连续练习 " + std::to_string(summary.streak) +
         " 天 · 今天复习 " + std::to_string(summary.reviews_today) + " 次";
}

int Weekday(std::int64_t day) {
  // Learning day 0 starts on Thursday, 1 January 1970.
  return static_cast<int>(((day + 3) % 7 + 7) % 7);
}

CalendarDate DateOfDay(std::int64_t day) {
  const std::int64_t shifted = day + 719468;  // days since 0000-03-01
  const std::int64_t era = FloorDivide(shifted, 146097);
  const std::int64_t day_of_era = shifted - era * 146097;  // 0..146096
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_from_march = (5 * day_of_year + 2) / 153;  // 0 for March .. 11 for February
  CalendarDate date;
  date.day = static_cast<int>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
  date.month = static_cast<int>(month_from_march < 10 ? month_from_march + 3 : month_from_march - 9);
  date.year = static_cast<int>(year_of_era + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
}

int ShadeLevel(int reviews, int busiest) {
  if (reviews <= 0 || busiest <= 0) return 0;
  const long long level = (4LL * reviews + busiest - 1) / busiest;
  return static_cast<int>(std::clamp<long long>(level, 1, 4));
}

std::vector<std::int64_t> DateTicks(std::int64_t first, std::int64_t last, int most) {
  most = std::max(most, 1);
  if (last < first) return {};
  const auto every_days = [&](std::int64_t step) {
    std::vector<std::int64_t> ticks;
    for (std::int64_t day = first; day <= last; day += step) ticks.push_back(day);
    return ticks;
  };
  const auto every_weeks = [&](std::int64_t weeks) {
    std::vector<std::int64_t> ticks;
    const std::int64_t first_monday = first + (7 - Weekday(first)) % 7;
    for (std::int64_t day = first_monday; day <= last; day += 7 * weeks) ticks.push_back(day);
    return ticks;
  };
  const auto every_months = [&](int months) {
    std::vector<std::int64_t> ticks;
    const CalendarDate start = DateOfDay(first);
    std::int64_t month_index = static_cast<std::int64_t>(start.year) * 12 + (start.month - 1);
    // Months on a grid of the step from January, so that quarters start in
    // January, April, July and October.
    month_index += (months - month_index % months) % months;
    for (;; month_index += months) {
      const std::int64_t day = DaysFromDate(month_index / 12, static_cast<int>(month_index % 12) + 1, 1);
      if (day > last) break;
      if (day >= first) ticks.push_back(day);
    }
    return ticks;
  };
  const auto fits = [&](const std::vector<std::int64_t>& ticks) {
    return static_cast<int>(ticks.size()) <= most;
  };
  for (const std::int64_t step : {1, 2, 5}) {
    if (std::vector<std::int64_t> ticks = every_days(step); fits(ticks)) return ticks;
  }
  for (const std::int64_t weeks : {1, 2, 4}) {
    if (std::vector<std::int64_t> ticks = every_weeks(weeks); fits(ticks) && !ticks.empty()) return ticks;
  }
  for (int months = 1;; months = months < 3 ? months + 1 : months < 12 ? months * 2 : months + 12) {
    if (std::vector<std::int64_t> ticks = every_months(months); fits(ticks)) return ticks;
  }
}

}  // namespace zembrot::stats
