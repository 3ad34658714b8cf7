#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "learning/word_progress.h"

namespace zembrot::learning {
namespace {

// Expected states are the reference's (tools/fsrs-vectors), so the memory
// state is compared within a millionth of its size, the rest exactly.
void ExpectProgress(WordProgress actual, const WordProgress& expected) {
  ASSERT_EQ(actual.memory.has_value(), expected.memory.has_value());
  if (expected.memory) {
    EXPECT_NEAR(actual.memory->stability, expected.memory->stability, 1e-6 * std::max(1.0, expected.memory->stability));
    EXPECT_NEAR(actual.memory->difficulty, expected.memory->difficulty, 1e-6);
    actual.memory = expected.memory;
  }
  EXPECT_EQ(actual, expected);
}

std::optional<MemoryState> Memory(double stability, double difficulty) {
  return MemoryState{stability, difficulty};
}

TEST(WordProgress, FollowsTheReviewsInOrder) {
  const struct {
    const char* what;
    std::vector<std::pair<std::int64_t, Grade>> reviews;
    WordProgress expected;
  } cases[] = {
      {"copies before the first recall: counted, no memory till then",
       {{90, Grade::None}, {95, Grade::None}, {100, Grade::Good}},
       {Memory(2.3065, 2.11810397), 100, 102, 3, 1, 0}},
      {"first miss: due the next day", {{100, Grade::Again}}, {Memory(0.212, 6.4133), 100, 101, 1, 0, 1}},
      {"a copy after a recall changes only the count",
       {{100, Grade::Good}, {101, Grade::None}},
       {Memory(2.3065, 2.11810397), 100, 102, 2, 1, 0}},
      {"recalled, recalled two days later, missed six days after that",
       {{100, Grade::Good}, {102, Grade::Good}, {108, Grade::Again}},
       {Memory(1.44937202, 7.39223814), 108, 109, 3, 2, 1}},
      {"a day before the last review counts as that day",
       {{100, Grade::Good}, {98, Grade::Good}},
       {Memory(2.3065, 2.11121424), 100, 102, 2, 2, 0}},
  };
  const FsrsModel model;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WordProgress progress;
    for (const auto& [day, grade] : c.reviews) progress = ApplyReview(model, progress, day, grade);
    ExpectProgress(progress, c.expected);
  }
}

TEST(WordProgress, RetrievabilityOnADay) {
  const struct {
    WordProgress progress;
    std::int64_t today;
    double retrievability;
  } cases[] = {
      {{std::nullopt, 0, 0, 1, 0, 0}, 100, 0.0},
      {{Memory(2.3065, 2.1), 100, 102, 1, 1, 0}, 100, 1.0},
      {{Memory(2.3065, 2.1), 100, 102, 1, 1, 0}, 103, 0.88094796},
  };
  const FsrsModel model;
  for (const auto& c : cases) {
    EXPECT_NEAR(RetrievabilityOn(model, c.progress, c.today), c.retrievability, 1e-6) << c.today;
  }
}

}  // namespace
}  // namespace zembrot::learning
