#pragma once

// The memory model: FSRS-6 with its published default weights.
//
// A word's memory is two numbers: stability S (days until the chance of
// recalling it has fallen to 90 %) and difficulty D (1 to 10, how hard it is
// to make S grow). The chance of recalling it t days after the last review,
// its retrievability R, follows a power-law forgetting curve whose decay is
// the trainable weight w20. Every review moves S and D according to the
// grade; the next review is due when R would fall to the desired retention.
// Time is counted in whole learning days (see learning_day.h): a review on
// the same day as the previous one uses the short-term update.

#include <array>
#include <optional>

namespace zembrot::learning {

// The learner's answer. The game gives only Good (the word recalled) and
// Again (the word missed); None is a review that taught the model nothing
// (for example the English was copied from the screen) and leaves the
// memory state as it was.
enum class Grade : int { None = 0, Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct MemoryState {
  double stability = 0;   // days
  double difficulty = 0;  // 1..10

  friend bool operator==(const MemoryState&, const MemoryState&) = default;
};

struct FsrsParameters {
  std::array<double, 21> weights{};
  double desired_retention = 0.9;
  int maximum_interval = 36500;  // days
};

// FSRS-6's published defaults, desired retention 0.9, at most 36500 days.
FsrsParameters DefaultFsrsParameters();

class FsrsModel {
 public:
  // Stability is kept within these bounds after every step.
  static constexpr double kMinimumStability = 0.001;
  static constexpr double kMaximumStability = 36500;

  explicit FsrsModel(const FsrsParameters& parameters = DefaultFsrsParameters());

  const FsrsParameters& Parameters() const { return parameters_; }

  // The state after the first graded review; Grade::None has none.
  std::optional<MemoryState> InitialState(Grade grade) const;

  // The state after a review `elapsed_days` after the previous one (0: the
  // same learning day; a negative count, a clock set back, counts as 0).
  // Grade::None returns the state unchanged.
  MemoryState NextState(const MemoryState& state, int elapsed_days, Grade grade) const;
  // The same step with the retrievability at the review already known (it
  // is used only when elapsed_days > 0).
  MemoryState NextState(const MemoryState& state, int elapsed_days, Grade grade, double retrievability) const;

  // Chance of recall `elapsed_days` after a review that left `stability`.
  double Retrievability(double elapsed_days, double stability) const;

  // Whole days until retrievability falls to the desired retention:
  // the curve inverted, rounded, and kept within 1 and the maximum interval.
  int NextInterval(double stability) const;

  // The steps, each as its formula states it (exposed for the tests).
  double InitialStability(Grade grade) const;
  double InitialDifficulty(Grade grade) const;  // within 1..10
  double NextDifficulty(double difficulty, Grade grade) const;
  double StabilityAfterRecall(const MemoryState& state, double retrievability, Grade grade) const;
  double StabilityAfterForgetting(const MemoryState& state, double retrievability) const;
  double SameDayStability(double stability, Grade grade) const;

 private:
  double Weight(int index) const { return parameters_.weights[static_cast<std::size_t>(index)]; }
  // D0(G) before it is kept within 1..10: mean reversion aims at D0(Easy)
  // as the formula gives it, outside that range.
  double RawInitialDifficulty(Grade grade) const;

  FsrsParameters parameters_;
  double decay_;   // w20
  double factor_;  // 0.9^(-1/decay) - 1, so that R(S, S) = 0.9
  // Terms of the formulas that depend on the weights alone, worked out once:
  // replaying a year of reviews calls the formulas a quarter of a million times.
  double interval_factor_;         // desired_retention^(-1/decay) - 1
  double easy_initial_difficulty_;  // RawInitialDifficulty(Easy)
  double recall_growth_;           // e^w8
  double forgetting_cap_;          // e^(w17 * w18)
};

}  // namespace zembrot::learning
