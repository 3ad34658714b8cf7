// Reading the whole log for the statistics: words, games and reviews as
// they were written, a game without an end and a review outside any game.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include <QTemporaryDir>

#include "record/progress_store.h"
#include "stats/review_log.h"

namespace zembrot::record {
namespace {

using learning::Grade;
using learning::Outcome;

constexpr std::int32_t kBeijing = 28800;
constexpr std::int64_t kMidnightJune1 = 1717171200000;  // 2024-06-01 00:00 +08, learning day 19874 until 04:00

std::string Text(const stats::ReviewLog& log) {
  std::string text;
  for (const stats::LoggedWord& word : log.words) text += "w" + std::to_string(word.id) + " " + word.english + " " + word.chinese + "; ";
  for (const stats::LoggedGame& game : log.games) {
    text += "g" + std::to_string(game.id) + " " + std::to_string(game.started_ms - kMidnightJune1) + ".." +
            (game.ended_ms ? std::to_string(*game.ended_ms - kMidnightJune1) : std::string("open")) + "; ";
  }
  for (const stats::LoggedReview& review : log.reviews) {
    text += "r " + std::to_string(review.at_ms - kMidnightJune1) + " d" + std::to_string(review.day) + " w" +
            std::to_string(review.word_id) + " g" + (review.game_id ? std::to_string(*review.game_id) : "-") + " " +
            std::to_string(review.outcome) + "/" + std::to_string(review.grade) + "; ";
  }
  return text;
}

TEST(ReadLog, EverythingAsWrittenInOrder) {
  QTemporaryDir folder;
  ProgressStore store;
  ASSERT_EQ(store.Open(folder.path() + "/progress.sqlite3").outcome, OpenOutcome::Created);
  EXPECT_EQ(Text(*store.ReadLog()), "");

  const ReviewContext context{"chinese", 4000, 50, false, false};
  const std::optional<std::int64_t> first = store.BeginGame("食物", kMidnightJune1 + 1000);
  ASSERT_TRUE(first);
  ASSERT_TRUE(store.RecordReview(first, "Apple", "苹果", Outcome::Recalled, Grade::Good, context, kMidnightJune1 + 2000, kBeijing));
  ASSERT_TRUE(store.RecordReview(first, "tea", "茶", Outcome::Missed, Grade::Again, context, kMidnightJune1 + 3000, kBeijing));
  ASSERT_TRUE(store.EndGame(*first, kMidnightJune1 + 9000));
  ASSERT_TRUE(store.RecordReview(std::nullopt, "apple", "苹果", Outcome::Copied, Grade::None, context,
                                 kMidnightJune1 + 5 * 3600000, kBeijing));  // 05:00: the next learning day
  const std::optional<std::int64_t> second = store.BeginGame("今日复习", kMidnightJune1 + 6 * 3600000);
  ASSERT_TRUE(second);
  ASSERT_TRUE(store.RecordReview(second, "tea", "茶", Outcome::Recalled, Grade::Good, context,
                                 kMidnightJune1 + 6 * 3600000 + 500, kBeijing));

  EXPECT_EQ(Text(*store.ReadLog()),
            "w1 apple 苹果; w2 tea 茶; "
            "g1 1000..9000; g2 21600000..open; "
            "r 2000 d19874 w1 g1 1/3; r 3000 d19874 w2 g1 3/1; r 18000000 d19875 w1 g- 2/0; "
            "r 21600500 d19875 w2 g2 1/3; ");
}

}  // namespace
}  // namespace zembrot::record
