// A simulated learner: 200 words over 60 days, whose true chance of recall
// is the forgetting curve of a memory state the test keeps for itself. The
// learner skips a day now and then; on the others it plays today's review,
// then a longer list with a few new words, misses some and ticks the hint
// box now and then. The predictions come from the progress the record would
// keep (learning days from clock times, ApplyReview, today's selection).
// If that bookkeeping counts days or applies reviews wrongly, predicted
// recall stops matching what the learner does.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "learning/grading.h"
#include "learning/learning_day.h"
#include "learning/review_selection.h"

namespace zembrot::learning {
namespace {

constexpr int kWords = 200;
constexpr int kDays = 60;
constexpr int kNewWordsPerDay = 10;
constexpr int kListLength = 80;
constexpr int kBins = 20;

struct SimulatedWord {
  WordProgress progress;                 // what the record keeps
  std::optional<MemoryState> true_state; // the learner's memory
  std::int64_t true_last_day = 0;
};

// Predictions in 20 bins of predicted recall: the root mean square over the
// bins of (mean prediction - share recalled), each bin weighted by its
// number of reviews.
struct Calibration {
  std::array<double, kBins> predicted{}, recalled{}, count{};
  double total = 0;

  void Add(double prediction, bool was_recalled) {
    const auto bin = static_cast<std::size_t>(std::min(kBins - 1, static_cast<int>(prediction * kBins)));
    predicted[bin] += prediction;
    recalled[bin] += was_recalled ? 1.0 : 0.0;
    ++count[bin];
    ++total;
  }
  double WeightedRmse() const {
    double sum = 0;
    for (std::size_t bin = 0; bin < kBins; ++bin) {
      if (count[bin] > 0) sum += (predicted[bin] - recalled[bin]) * (predicted[bin] - recalled[bin]) / count[bin];
    }
    return std::sqrt(sum / total);
  }
};

TEST(SimulatedLearner, PredictedRecallIsCalibrated) {
  const FsrsModel model;
  std::mt19937_64 random(20250607);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  std::vector<SimulatedWord> words(kWords);
  Calibration calibration;
  int next_new = 0;

  // Day 0 is Monday 4 March 2024 in Berlin; summer time starts on day 27.
  constexpr std::int64_t kFirstDay = 19786;
  constexpr std::int64_t kMillisecondsPerDay = 86400000;

  // One review: the learner recalls with the true chance; a tenth of the
  // time the hint box is ticked, so a recall teaches the model nothing.
  const auto review = [&](SimulatedWord& word, std::int64_t utc_ms, std::int32_t offset, int day) {
    const std::int64_t learning_day = LearningDay(utc_ms, offset);
    const bool seen = word.true_state.has_value();
    const double true_chance =
        seen ? model.Retrievability(static_cast<double>(day - word.true_last_day), word.true_state->stability) : 0.0;
    const bool recalled = uniform(random) < true_chance;
    if (word.progress.memory) calibration.Add(RetrievabilityOn(model, word.progress, learning_day), recalled);
    const bool hint = uniform(random) < 0.1;
    const Grade grade = GradeFor(recalled ? Outcome::Recalled : Outcome::Missed, hint, false);
    word.progress = ApplyReview(model, word.progress, learning_day, grade);
    if (grade == Grade::None) return;
    word.true_state = seen ? model.NextState(*word.true_state, day - word.true_last_day, grade)
                           : model.InitialState(grade);
    word.true_last_day = day;
  };

  for (int day = 0; day < kDays; ++day) {
    if (uniform(random) < 0.25) continue;  // no game today
    const std::int32_t offset = day < 27 ? 3600 : 7200;
    // Games start between 19:00 and 02:00 local time: all on this learning day.
    std::int64_t local_ms = (kFirstDay + day) * kMillisecondsPerDay + 19 * 3600000LL +
                            static_cast<std::int64_t>(uniform(random) * 7 * 3600000);
    const std::int64_t today = LearningDay(local_ms - offset * 1000LL, offset);
    ASSERT_EQ(today, kFirstDay + day);

    // Today's review first, then a game on a list of words met before and
    // a few new ones; a word missed comes back once later the same day, as
    // the practice list cycles.
    std::vector<ReviewCandidate> candidates;
    for (int i = 0; i < next_new; ++i) candidates.push_back({i, words[static_cast<std::size_t>(i)].progress});
    std::vector<std::int64_t> list = SelectTodaysReview(model, candidates, today);
    for (int i = 0; i < kListLength && next_new > 0; ++i)
      list.push_back(static_cast<std::int64_t>(uniform(random) * next_new));
    for (int i = 0; i < kNewWordsPerDay && next_new < kWords; ++i) list.push_back(next_new++);

    std::vector<std::int64_t> missed;
    for (const std::int64_t key : list) {
      local_ms += 20000;
      SimulatedWord& word = words[static_cast<std::size_t>(key)];
      const int misses = word.progress.misses;
      review(word, local_ms - offset * 1000LL, offset, day);
      if (word.progress.misses > misses) missed.push_back(key);
    }
    for (const std::int64_t key : missed) {
      local_ms += 20000;
      review(words[static_cast<std::size_t>(key)], local_ms - offset * 1000LL, offset, day);
    }
  }

  EXPECT_GT(calibration.total, 1000);
  EXPECT_LE(calibration.WeightedRmse(), 0.03) << calibration.total << " reviews";
}

}  // namespace
}  // namespace zembrot::learning
