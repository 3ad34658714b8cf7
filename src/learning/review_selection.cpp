#include "learning/review_selection.h"

#include <algorithm>
#include <tuple>

namespace zembrot::learning {

std::vector<std::int64_t> SelectTodaysReview(const FsrsModel& model, std::span<const ReviewCandidate> words,
                                             std::int64_t today, std::size_t limit) {
  struct Due {
    double retrievability;
    std::int64_t due_day;
    std::int64_t key;
  };
  struct Mistake {
    int misses;
    std::int64_t key;
  };
  std::vector<Due> due;
  std::vector<Mistake> mistakes;
  for (const ReviewCandidate& word : words) {
    if (IsDue(word.progress, today)) {
      due.push_back({RetrievabilityOn(model, word.progress, today), word.progress.due_day, word.key});
    } else if (InMistakesBook(word.progress)) {
      mistakes.push_back({word.progress.misses, word.key});
    }
  }
  std::sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
    return std::tie(a.retrievability, a.due_day, a.key) < std::tie(b.retrievability, b.due_day, b.key);
  });
  std::sort(mistakes.begin(), mistakes.end(), [](const Mistake& a, const Mistake& b) {
    return std::tie(b.misses, a.key) < std::tie(a.misses, b.key);
  });

  std::vector<std::int64_t> keys;
  for (const Due& word : due) {
    if (keys.size() == limit) return keys;
    keys.push_back(word.key);
  }
  for (const Mistake& word : mistakes) {
    if (keys.size() == limit) return keys;
    keys.push_back(word.key);
  }
  return keys;
}

std::size_t CountDue(std::span<const ReviewCandidate> words, std::int64_t today) {
  return static_cast<std::size_t>(std::count_if(
      words.begin(), words.end(), [today](const ReviewCandidate& word) { return IsDue(word.progress, today); }));
}

}  // namespace zembrot::learning
