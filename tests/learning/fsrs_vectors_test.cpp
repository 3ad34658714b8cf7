// The memory model against reference vectors made with ts-fsrs (FSRS-6,
// default weights, desired retention 0.9, no fuzz): stability, difficulty
// and retrievability within 1e-6, intervals equal. See tools/fsrs-vectors.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "learning/fsrs.h"

namespace zembrot::learning {
namespace {

constexpr double kTolerance = 1e-6;

// One review a line: sequence, step, elapsed_days, grade, stability and
// difficulty before, retrievability then (those three empty at a first
// review), stability and difficulty after, interval, probe days and the
// retrievability of the state after, that many days later.
TEST(FsrsVectors, EveryReviewAndEveryWholeSequence) {
  std::ifstream file(ZEMBROT_FSRS_VECTORS);
  ASSERT_TRUE(file) << "cannot open " << ZEMBROT_FSRS_VECTORS;
  const FsrsModel model;
  std::optional<MemoryState> carried;  // our own states along the sequence
  int rows = 0, capped = 0;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (line.empty() || line[0] < '0' || line[0] > '9') continue;  // comment or header
    SCOPED_TRACE("line " + std::to_string(number));
    std::replace(line.begin(), line.end(), ',', ' ');
    std::istringstream fields(line);
    std::vector<double> f;
    for (double value = 0; fields >> value;) f.push_back(value);
    ASSERT_TRUE(f.size() == 9 || f.size() == 12) << f.size() << " fields";
    const bool first = f.size() == 9;
    if (first) f.insert(f.begin() + 4, 3, 0.0);
    const int step = static_cast<int>(f[1]), elapsed = static_cast<int>(f[2]);
    const auto grade = static_cast<Grade>(f[3]);
    const MemoryState before{f[4], f[5]};
    const double r = f[6], stability = f[7], difficulty = f[8], probe_r = f[11];
    const int interval = static_cast<int>(f[9]), probe_days = static_cast<int>(f[10]);
    ASSERT_EQ(first, step == 0);
    ++rows;
    if (interval == 36500) ++capped;

    // Each review on its own, from the reference's state before it. The
    // reference rounds the retrievability it computes to 8 decimals and
    // uses the rounded value; its stability is checked from that value.
    if (!first) {
      EXPECT_NEAR(model.Retrievability(elapsed, before.stability), r, kTolerance);
    }
    const MemoryState after = first ? *model.InitialState(grade) : model.NextState(before, elapsed, grade, r);
    EXPECT_NEAR(after.stability, stability, kTolerance);
    EXPECT_NEAR(after.difficulty, difficulty, kTolerance);
    EXPECT_EQ(model.NextInterval(after.stability), interval);
    EXPECT_NEAR(model.Retrievability(probe_days, stability), probe_r, kTolerance);

    // The whole sequence from the first review on, our own states carried
    // along. That rounding moves the reference's stability by a few parts
    // in 10^8 over a sequence: stability is compared relative to its size.
    if (!first) {
      ASSERT_TRUE(carried);
      EXPECT_NEAR(model.Retrievability(elapsed, carried->stability), r, kTolerance);
    }
    carried = first ? model.InitialState(grade) : model.NextState(*carried, elapsed, grade);
    EXPECT_NEAR(carried->stability, stability, kTolerance * std::max(1.0, stability));
    EXPECT_NEAR(carried->difficulty, difficulty, kTolerance);
    EXPECT_EQ(model.NextInterval(carried->stability), interval);
  }
  EXPECT_GT(rows, 3000);
  EXPECT_GT(capped, 0) << "no interval reaches the cap";
}

}  // namespace
}  // namespace zembrot::learning
