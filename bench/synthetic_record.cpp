#include "synthetic_record.h"

#include <cstdio>
#include <string>
#include <vector>

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "learning/learning_day.h"
#include "record/progress_store.h"

namespace zembrot::bench {

namespace {

constexpr int kWords = 600;
constexpr std::int64_t kDayMs = 86'400'000;
constexpr std::int64_t kSecondMs = 1000;

// The reviews of each day: 40 to 160, summing to exactly 36,500.
std::vector<int> ReviewsPerDay() {
  std::vector<int> counts;
  int total = 0;
  for (int day = 0; day < kSyntheticDays; ++day) {
    counts.push_back(100 + (day * 37) % 121 - 60);
    total += counts.back();
  }
  counts.back() += kSyntheticReviews - total;
  return counts;
}

// Made-up pairs that look like words: English from syllables, Chinese from
// two characters.
std::string English(int word) {
  static const char* const kSyllables[] = {"ba", "ko", "ri", "ten", "mu", "sal", "do", "fi", "ner", "lo",
                                           "pa", "gu", "vis", "te", "ran", "mo", "cul", "zi", "har", "pe"};
  return std::string(kSyllables[word % 20]) + kSyllables[(word / 20) % 20] + (word >= 400 ? "s" : "");
}

std::string Chinese(int word) {
  static const char* const kCharacters[] = {"山", "水", "花", "鸟", "风", "雨", "月", "星", "天", "海",
                                            "木", "火", "土", "金", "石", "田", "米", "茶", "书", "车",
                                            "门", "灯", "桥", "船", "云", "雪", "草", "鱼", "羊", "马"};
  return std::string(kCharacters[word % 30]) + kCharacters[(word / 30) % 30];
}

bool Failed(const QSqlQuery& query) {
  std::fprintf(stderr, "synthetic record: %s\n", query.lastError().text().toUtf8().constData());
  return false;
}

}  // namespace

bool WriteSyntheticYear(const QString& path, std::int64_t now_ms) {
  {
    record::ProgressStore store;
    if (store.Open(path).outcome != record::OpenOutcome::Created) {
      std::fprintf(stderr, "synthetic record: cannot make a new record at %s\n", path.toUtf8().constData());
      return false;
    }
  }
  const std::int32_t offset = QDateTime::fromMSecsSinceEpoch(now_ms).offsetFromUtc();
  const std::int64_t today = learning::LearningDay(now_ms, offset);
  bool written = false;
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("synthetic"));
    database.setDatabaseName(path);
    if (!database.open()) {
      std::fprintf(stderr, "synthetic record: %s\n", database.lastError().text().toUtf8().constData());
      return false;
    }
    // One transaction: a year is written in well under a second.
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("BEGIN"))) return Failed(query);
    if (!query.prepare(QStringLiteral("INSERT INTO word(id, english, chinese) VALUES(?, ?, ?)"))) return Failed(query);
    for (int word = 0; word < kWords; ++word) {
      query.bindValue(0, word + 1);
      query.bindValue(1, QString::fromStdString(English(word)));
      query.bindValue(2, QString::fromStdString(Chinese(word)));
      if (!query.exec()) return Failed(query);
    }
    QSqlQuery game(database);
    QSqlQuery review(database);
    if (!game.prepare(QStringLiteral("INSERT INTO game(id, list, started_ms, ended_ms) VALUES(?, ?, ?, ?)")) ||
        !review.prepare(QStringLiteral(
            "INSERT INTO review(at_ms, word_id, game_id, outcome, grade, shown, on_field_ms, fall_interval_ms,"
            " hint_ticked, whole_line, utc_offset, day) VALUES(?, ?, ?, ?, ?, 'chinese', 4000, 50, ?, 0, ?, ?)"))) {
      return Failed(game);
    }
    std::vector<int> practised(kWords, 0);
    const std::vector<int> counts = ReviewsPerDay();
    std::uint32_t dice = 12345;
    const auto roll = [&dice] {  // 0..99
      dice = dice * 1664525u + 1013904223u;
      return static_cast<int>((dice >> 16) % 100);
    };
    int game_id = 0;
    for (int d = 0; d < kSyntheticDays; ++d) {
      const std::int64_t day = today - (kSyntheticDays - 1) + d;
      // Evening practice: 19:00 local on the day's date (the day starts at 04:00).
      const std::int64_t evening = day * kDayMs + (19 * 3600 - offset) * kSecondMs;
      const int vocabulary = 40 + (kWords - 40) * d / (kSyntheticDays - 1);
      const int reviews = counts[static_cast<std::size_t>(d)];
      for (int half = 0; half < 2; ++half) {
        const int first = half * (reviews / 2);
        const int last = half == 0 ? reviews / 2 : reviews;
        const std::int64_t started = evening + half * 40 * 60 * kSecondMs;
        // The learner gets faster over the year: from about 12 seconds a word
        // to about 6, give or take a second from game to game.
        const std::int64_t word_ms = (12000 - 6000 * d / (kSyntheticDays - 1)) + (roll() - 50) * 20;
        game.bindValue(0, ++game_id);
        game.bindValue(1, QStringLiteral("synthetic"));
        game.bindValue(2, QVariant::fromValue<qint64>(started));
        game.bindValue(3, QVariant::fromValue<qint64>(started + (last - first + 2) * word_ms));
        if (!game.exec()) return Failed(game);
        for (int i = first; i < last; ++i) {
          const int word = (d * 37 + i * 7) % vocabulary;
          int& seen = practised[static_cast<std::size_t>(word)];
          // Better with each word's practice, and a little better over the year.
          const int recall_chance = 45 + 15 * d / (kSyntheticDays - 1) + 35 * std::min(seen, 8) / 8;
          const int draw = roll();
          const int outcome = draw < 5 ? 2 : draw < 5 + recall_chance ? 1 : 3;
          const bool hint = outcome == 1 && roll() < 10;
          const int grade = outcome == 3 ? 1 : outcome == 1 && !hint ? 3 : 0;
          ++seen;
          const std::int64_t at = started + (i - first + 1) * word_ms;
          review.bindValue(0, QVariant::fromValue<qint64>(at));
          review.bindValue(1, word + 1);
          review.bindValue(2, game_id);
          review.bindValue(3, outcome);
          review.bindValue(4, grade);
          review.bindValue(5, hint ? 1 : 0);
          review.bindValue(6, offset);
          review.bindValue(7, QVariant::fromValue<qint64>(learning::LearningDay(at, offset)));
          if (!review.exec()) return Failed(review);
        }
      }
    }
    written = query.exec(QStringLiteral("COMMIT")) || Failed(query);
  }
  QSqlDatabase::removeDatabase(QStringLiteral("synthetic"));
  if (!written) return false;
  // The words' cached states, as the game would have left them.
  record::ProgressStore store;
  store.Open(path);
  if (!store.RebuildCache()) {
    std::fprintf(stderr, "synthetic record: %s\n", store.LastError().message.c_str());
    return false;
  }
  return true;
}

}  // namespace zembrot::bench
