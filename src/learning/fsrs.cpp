#include "learning/fsrs.h"

#include <algorithm>
#include <cmath>

namespace zembrot::learning {

namespace {

double KeepWithin(double value, double low, double high) { return std::min(std::max(value, low), high); }

int GradeValue(Grade grade) { return static_cast<int>(grade); }

}  // namespace

FsrsParameters DefaultFsrsParameters() {
  FsrsParameters parameters;
  parameters.weights = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                        0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                        1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
  parameters.desired_retention = 0.9;
  parameters.maximum_interval = 36500;
  return parameters;
}

FsrsModel::FsrsModel(const FsrsParameters& parameters)
    : parameters_(parameters),
      decay_(parameters.weights[20]),
      factor_(std::pow(0.9, -1.0 / decay_) - 1.0),
      interval_factor_(std::pow(parameters.desired_retention, -1.0 / decay_) - 1.0),
      easy_initial_difficulty_(RawInitialDifficulty(Grade::Easy)),
      recall_growth_(std::exp(Weight(8))),
      forgetting_cap_(std::exp(Weight(17) * Weight(18))) {}

double FsrsModel::Retrievability(double elapsed_days, double stability) const {
  return std::pow(1.0 + factor_ * std::max(elapsed_days, 0.0) / stability, -decay_);
}

int FsrsModel::NextInterval(double stability) const {
  const double days = stability / factor_ * interval_factor_;
  const double rounded = std::round(days);
  return static_cast<int>(KeepWithin(rounded, 1.0, static_cast<double>(parameters_.maximum_interval)));
}

double FsrsModel::InitialStability(Grade grade) const {
  return KeepWithin(Weight(GradeValue(grade) - 1), kMinimumStability, kMaximumStability);
}

double FsrsModel::RawInitialDifficulty(Grade grade) const {
  return Weight(4) - std::exp(Weight(5) * (GradeValue(grade) - 1)) + 1.0;
}

double FsrsModel::InitialDifficulty(Grade grade) const {
  return KeepWithin(RawInitialDifficulty(grade), 1.0, 10.0);
}

double FsrsModel::NextDifficulty(double difficulty, Grade grade) const {
  const double change = -Weight(6) * (GradeValue(grade) - 3);
  // Linear damping: the nearer D is to 10, the less a miss can raise it.
  const double damped = difficulty + change * (10.0 - difficulty) / 9.0;
  // Mean reversion towards the difficulty of a first Easy.
  const double reverted = Weight(7) * easy_initial_difficulty_ + (1.0 - Weight(7)) * damped;
  return KeepWithin(reverted, 1.0, 10.0);
}

double FsrsModel::StabilityAfterRecall(const MemoryState& state, double retrievability, Grade grade) const {
  const double hard_penalty = grade == Grade::Hard ? Weight(15) : 1.0;
  const double easy_bonus = grade == Grade::Easy ? Weight(16) : 1.0;
  const double increase = recall_growth_ * (11.0 - state.difficulty) * std::pow(state.stability, -Weight(9)) *
                          (std::exp(Weight(10) * (1.0 - retrievability)) - 1.0) * hard_penalty * easy_bonus;
  return state.stability * (1.0 + increase);
}

double FsrsModel::StabilityAfterForgetting(const MemoryState& state, double retrievability) const {
  const double after = Weight(11) * std::pow(state.difficulty, -Weight(12)) *
                       (std::pow(state.stability + 1.0, Weight(13)) - 1.0) *
                       std::exp(Weight(14) * (1.0 - retrievability));
  // A lapse never leaves the memory stronger than a same-day miss would.
  return std::min(after, state.stability / forgetting_cap_);
}

double FsrsModel::SameDayStability(double stability, Grade grade) const {
  double increase = std::exp(Weight(17) * (GradeValue(grade) - 3 + Weight(18))) * std::pow(stability, -Weight(19));
  // A success on the same day never lowers stability.
  if (grade >= Grade::Hard) increase = std::max(increase, 1.0);
  return stability * increase;
}

std::optional<MemoryState> FsrsModel::InitialState(Grade grade) const {
  if (grade == Grade::None) return std::nullopt;
  return MemoryState{InitialStability(grade), InitialDifficulty(grade)};
}

MemoryState FsrsModel::NextState(const MemoryState& state, int elapsed_days, Grade grade) const {
  const double retrievability = elapsed_days > 0 ? Retrievability(elapsed_days, state.stability) : 1.0;
  return NextState(state, elapsed_days, grade, retrievability);
}

MemoryState FsrsModel::NextState(const MemoryState& state, int elapsed_days, Grade grade,
                                 double retrievability) const {
  if (grade == Grade::None) return state;
  // Stability moves with the difficulty the word had before this review.
  double stability;
  if (elapsed_days <= 0) {
    stability = SameDayStability(state.stability, grade);
  } else if (grade == Grade::Again) {
    stability = StabilityAfterForgetting(state, retrievability);
  } else {
    stability = StabilityAfterRecall(state, retrievability, grade);
  }
  return MemoryState{KeepWithin(stability, kMinimumStability, kMaximumStability),
                     NextDifficulty(state.difficulty, grade)};
}

}  // namespace zembrot::learning
