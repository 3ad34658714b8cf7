#pragma once

// Today's review: which words to bring back, chosen from their progress.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "learning/fsrs.h"
#include "learning/word_progress.h"

namespace zembrot::learning {

// At most this many words make one review list.
inline constexpr std::size_t kTodaysReviewLimit = 20;

struct ReviewCandidate {
  std::int64_t key = 0;  // the caller's name for the word; ties go to the lower key
  WordProgress progress;
};

// The keys of at most `limit` words, in this order:
// 1. words due today (due day <= today), the least likely to be recalled
//    first (lowest retrievability today), then the longest overdue (earlier
//    due day), then the lower key;
// 2. then words of the mistakes book (see InMistakesBook) that are not due,
//    the most often missed first, then the lower key.
std::vector<std::int64_t> SelectTodaysReview(const FsrsModel& model, std::span<const ReviewCandidate> words,
                                             std::int64_t today, std::size_t limit = kTodaysReviewLimit);

// How many of the words are due today.
std::size_t CountDue(std::span<const ReviewCandidate> words, std::int64_t today);

}  // namespace zembrot::learning
