#include "learning/word_progress.h"

#include <algorithm>

namespace zembrot::learning {

WordProgress ApplyReview(const FsrsModel& model, WordProgress progress, std::int64_t day, Grade grade) {
  ++progress.reviews;
  if (grade == Grade::Again) ++progress.misses;
  if (grade >= Grade::Hard) ++progress.recalls;
  if (grade == Grade::None) return progress;

  if (!progress.memory) {
    progress.memory = model.InitialState(grade);
    progress.last_review_day = day;
  } else {
    const std::int64_t elapsed = std::max<std::int64_t>(day - progress.last_review_day, 0);
    // Beyond the longest interval the curve has long gone flat; the cap
    // keeps the count within an int.
    const int days = static_cast<int>(std::min<std::int64_t>(elapsed, 10 * FsrsModel::kMaximumStability));
    progress.memory = model.NextState(*progress.memory, days, grade);
    progress.last_review_day = std::max(progress.last_review_day, day);
  }
  progress.due_day = progress.last_review_day + model.NextInterval(progress.memory->stability);
  return progress;
}

bool IsDue(const WordProgress& progress, std::int64_t today) {
  return progress.memory.has_value() && progress.due_day <= today;
}

bool InMistakesBook(const WordProgress& progress) { return progress.reviews > 0 && progress.recalls == 0; }

double RetrievabilityOn(const FsrsModel& model, const WordProgress& progress, std::int64_t today) {
  if (!progress.memory) return 0.0;
  return model.Retrievability(static_cast<double>(today - progress.last_review_day), progress.memory->stability);
}

}  // namespace zembrot::learning
