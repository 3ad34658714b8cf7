#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "learning/review_selection.h"

namespace zembrot::learning {
namespace {

ReviewCandidate Due(std::int64_t key, double stability, std::int64_t last_review_day, std::int64_t due_day,
                    int misses = 0) {
  return {key, {MemoryState{stability, 5.0}, last_review_day, due_day, misses + 1, 1, misses}};
}

ReviewCandidate Seen(std::int64_t key, std::optional<MemoryState> memory, std::int64_t last_review_day,
                     std::int64_t due_day, int reviews, int recalls, int misses) {
  return {key, {memory, last_review_day, due_day, reviews, recalls, misses}};
}

// Today is day 12 throughout. Retrievability falls as days since the last
// review divided by stability grows.
std::vector<ReviewCandidate> Words() {
  return {
      Due(1, 10, 0, 10),   // 12 / 10 = 1.2
      Due(2, 2, 5, 7),     // 7 / 2 = 3.5
      Due(3, 100, 0, 100), // not due
      Due(4, 5, 6, 11),    // 6 / 5 = 1.2, due later than 1
      Due(5, 5, 6, 10),    // 6 / 5 = 1.2, due with 1: the key decides
      Seen(6, MemoryState{0.1, 9}, 12, 13, 2, 0, 2),     // missed twice today: mistakes book
      Seen(7, std::nullopt, 0, 0, 1, 0, 0),               // only copied: mistakes book
      Seen(8, MemoryState{3, 5}, 11, 14, 3, 1, 2),        // recalled once: neither
      Seen(9, std::nullopt, 0, 0, 0, 0, 0),               // never seen
      Seen(10, MemoryState{0.1, 9}, 12, 13, 2, 0, 2),    // as 6
      Seen(11, MemoryState{0.05, 9.5}, 11, 12, 3, 0, 3), // missed three times and due: due first
      Seen(12, MemoryState{0.2, 8}, 12, 13, 3, 0, 3),    // missed three times, not due
  };
}

TEST(TodaysReview, DueWordsLeastLikelyRecalledFirstThenTheMistakesBook) {
  const struct {
    std::size_t limit;
    std::vector<std::int64_t> keys;
  } cases[] = {
      {20, {11, 2, 1, 5, 4, 12, 6, 10, 7}},
      {6, {11, 2, 1, 5, 4, 12}},
      {3, {11, 2, 1}},
      {0, {}},
  };
  const FsrsModel model;
  const std::vector<ReviewCandidate> words = Words();
  for (const auto& c : cases) {
    EXPECT_EQ(SelectTodaysReview(model, words, 12, c.limit), c.keys) << c.limit;
  }
  EXPECT_EQ(CountDue(words, 12), 5u);
}

TEST(TodaysReview, AtMostTwentyWordsTheLeastLikelyRecalled) {
  // 25 words reviewed on day 0 with stabilities 1..25: on day 30 the least
  // stable are the least likely to be recalled.
  std::vector<ReviewCandidate> words;
  for (std::int64_t key = 1; key <= 25; ++key) words.push_back(Due(100 - key, static_cast<double>(key), 0, key));
  EXPECT_EQ(SelectTodaysReview(FsrsModel(), words, 30),
            (std::vector<std::int64_t>{99, 98, 97, 96, 95, 94, 93, 92, 91, 90, 89, 88, 87, 86, 85, 84, 83, 82, 81, 80}));
}

}  // namespace
}  // namespace zembrot::learning
