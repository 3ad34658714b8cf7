// Recording reviews: the cached state of each word, kept across closing and
// opening, rebuilt from the log, and today's review read from it; what the
// record cannot keep is refused.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "record/progress_store.h"
#include "record_test_support.h"

namespace zembrot::record {
namespace {

using learning::Grade;
using learning::MemoryState;
using learning::Outcome;

// Beijing time (UTC+8); day 19875 is the learning day of 1 June 2024.
constexpr std::int32_t kBeijing = 28800;
constexpr std::int64_t kMidnightJune1 = 1717171200000;  // 2024-06-01 00:00 +08

std::int64_t At(int day_of_june, int hour, int minute = 0) {
  return kMidnightJune1 + (day_of_june - 1) * 86400000LL + hour * 3600000LL + minute * 60000LL;
}

struct Review {
  const char* english;
  const char* chinese;
  Outcome outcome;
  Grade grade;
  std::int64_t at_ms;
};

void RecordAll(ProgressStore& store, std::optional<std::int64_t> game, const std::vector<Review>& reviews) {
  for (const Review& r : reviews) {
    ASSERT_TRUE(store.RecordReview(game, r.english, r.chinese, r.outcome, r.grade, {"chinese", 4000, 50, false, false},
                                   r.at_ms, kBeijing))
        << r.english << ": " << store.LastError().message;
  }
}

// Reference values (tools/fsrs-vectors): the memory state is compared
// within a millionth, the rest exactly.
void ExpectWords(const std::vector<StoredWord>& actual, const std::vector<StoredWord>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(expected[i].english);
    StoredWord word = actual[i];
    const std::optional<MemoryState>& memory = expected[i].progress.memory;
    ASSERT_EQ(word.progress.memory.has_value(), memory.has_value());
    if (memory) {
      EXPECT_NEAR(word.progress.memory->stability, memory->stability, 1e-6);
      EXPECT_NEAR(word.progress.memory->difficulty, memory->difficulty, 1e-6);
      word.progress.memory = memory;
    }
    EXPECT_EQ(word, expected[i]);
  }
}

const std::vector<Review> kFirstEvening = {
    {"Apple", "苹果", Outcome::Recalled, Grade::Good, At(1, 10, 0)},
    {"banana", "香蕉", Outcome::Missed, Grade::Again, At(1, 10, 1)},
    {"cherry", "樱桃", Outcome::Copied, Grade::None, At(1, 10, 2)},
    {"APPLE", "苹果", Outcome::Copied, Grade::None, At(1, 10, 3)},
    // After midnight: still the learning day of 1 June.
    {"banana", "香蕉", Outcome::Recalled, Grade::Good, At(2, 2, 0)},
    {"date", "枣", Outcome::Missed, Grade::Again, At(2, 2, 5)},
};

const std::vector<StoredWord> kAfterFirstEvening = {
    {1, "apple", "苹果", {MemoryState{2.3065, 2.11810397}, 19875, 19877, 2, 1, 0}},
    {2, "banana", "香蕉", {MemoryState{0.24668919, 6.40211507}, 19875, 19876, 2, 1, 1}},
    {3, "cherry", "樱桃", {std::nullopt, 0, 0, 1, 0, 0}},
    {4, "date", "枣", {MemoryState{0.212, 6.4133}, 19875, 19876, 1, 0, 1}},
};

TEST(RecordReviews, KeepEachWordsStateAcrossReopeningAndBringItBackFromFourInTheMorning) {
  QTemporaryDir folder;
  const QString path = folder.path() + "/progress.sqlite3";
  {
    ProgressStore store;
    ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Created);
    const std::optional<std::int64_t> game = store.BeginGame("食物.txt", At(1, 9, 59));
    ASSERT_EQ(game, 1);
    RecordAll(store, game, kFirstEvening);
    EXPECT_TRUE(store.EndGame(*game, At(2, 2, 10)));
    ExpectWords(*store.Words(), kAfterFirstEvening);
  }
  ProgressStore store;
  ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Opened);
  ExpectWords(*store.Words(), kAfterFirstEvening);
  EXPECT_EQ(store.ReviewCount(), 6);
  // The log gives the same states again, whatever the cache held.
  testing::Sql(path, {"UPDATE word SET stability = 99, difficulty = NULL, last_review_day = 0, due_day = NULL,"
                      " reviews = 0, recalls = 7, misses = 7"});
  ASSERT_TRUE(store.RebuildCache()) << store.LastError().message;
  ExpectWords(*store.Words(), kAfterFirstEvening);

  // Due words, then the mistakes book (see learning/review_selection.h).
  const struct {
    const char* when;
    std::int64_t now_ms;
    std::size_t due;
    std::vector<WordPair> review;
  } cases[] = {
      {"2 June 03:59", At(2, 3, 59), 0, {{"date", "枣"}, {"cherry", "樱桃"}}},
      {"2 June 04:00", At(2, 4, 0), 2, {{"date", "枣"}, {"banana", "香蕉"}, {"cherry", "樱桃"}}},
      {"3 June 04:00", At(3, 4, 0), 3, {{"date", "枣"}, {"banana", "香蕉"}, {"apple", "苹果"}, {"cherry", "樱桃"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(store.DueCount(c.now_ms, kBeijing), c.due) << c.when;
    EXPECT_EQ(store.TodaysReview(c.now_ms, kBeijing), c.review) << c.when;
  }
  EXPECT_EQ(store.TodaysReview(At(3, 4, 0), kBeijing, 2), (std::vector<WordPair>{{"date", "枣"}, {"banana", "香蕉"}}));
}

TEST(RecordReviews, RefusesWhatItCannotKeepAndKeepsNothingOfIt) {
  const std::string not_utf8 = "\xC6\xBB\xB9\xFB";  // 苹果 in GBK, not converted
  const struct {
    const char* what;
    std::optional<std::int64_t> game;
    std::string english;
    std::string chinese;
    int outcome;
    int grade;
    std::string shown;
  } cases[] = {
      {"English not UTF-8", std::nullopt, not_utf8, "苹果", 1, 3, "chinese"},
      {"Chinese not UTF-8", std::nullopt, "apple", not_utf8, 1, 3, "chinese"},
      {"shown not UTF-8", std::nullopt, "apple", "苹果", 1, 3, not_utf8},
      {"no outcome 0", std::nullopt, "apple", "苹果", 0, 3, "chinese"},
      {"the game does not grade Hard", std::nullopt, "apple", "苹果", 1, 2, "chinese"},
      {"no such game", 7, "apple", "苹果", 1, 3, "chinese"},
  };
  QTemporaryDir folder;
  ProgressStore store;
  ASSERT_EQ(store.Open(folder.path() + "/progress.sqlite3").outcome, OpenOutcome::Created);
  for (const auto& c : cases) {
    EXPECT_FALSE(store.RecordReview(c.game, c.english, c.chinese, static_cast<Outcome>(c.outcome),
                                    static_cast<Grade>(c.grade), {c.shown, 1, 1, false, false}, At(1, 10), kBeijing))
        << c.what;
    EXPECT_EQ(store.LastError().kind, ErrorKind::BadInput) << c.what << ": " << store.LastError().message;
  }
  EXPECT_EQ(store.ReviewCount(), 0);
  EXPECT_EQ(store.Words()->size(), 0u);
  EXPECT_FALSE(store.EndGame(3, At(1, 11)));
  EXPECT_EQ(store.LastError().kind, ErrorKind::BadInput);
  EXPECT_FALSE(store.BeginGame(not_utf8, At(1, 10)));
  EXPECT_EQ(store.LastError().kind, ErrorKind::BadInput);
  // The store goes on working.
  EXPECT_TRUE(store.RecordReview(std::nullopt, "apple", "苹果", Outcome::Recalled, Grade::Good, {}, At(1, 10),
                                 kBeijing));
  EXPECT_FALSE(store.LastError());
}

}  // namespace
}  // namespace zembrot::record
