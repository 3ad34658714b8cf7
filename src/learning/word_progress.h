#pragma once

// What the record keeps about one word between games: its memory state and
// a few counts, brought up to date one review at a time. Applying a word's
// reviews in the order they happened always gives the same progress, so the
// record can rebuild it from its review log.

#include <cstdint>
#include <optional>

#include "learning/fsrs.h"

namespace zembrot::learning {

struct WordProgress {
  // None until the first graded review.
  std::optional<MemoryState> memory;
  // With a memory state: the learning day of the latest graded review, and
  // the day on which the next one is due.
  std::int64_t last_review_day = 0;
  std::int64_t due_day = 0;
  int reviews = 0;  // every review, graded or not
  int recalls = 0;  // graded Hard, Good or Easy (the game gives only Good)
  int misses = 0;   // graded Again

  friend bool operator==(const WordProgress&, const WordProgress&) = default;
};

// The progress after one more review on learning day `day`. Grade::None
// counts the review and changes nothing else. A day before the latest
// graded review (the clock was set back) counts as that same day.
WordProgress ApplyReview(const FsrsModel& model, WordProgress progress, std::int64_t day, Grade grade);

// Due on `today`: a memory state whose due day has come.
bool IsDue(const WordProgress& progress, std::int64_t today);

// The mistakes book holds every word seen at least once and never recalled:
// each of its reviews so far was a miss or a copy (graded Again or None), not
// one was graded Hard, Good or Easy. The first recall takes it out for good;
// from then on the memory model alone brings it back.
bool InMistakesBook(const WordProgress& progress);

// The chance that the word is recalled on `today`; 0 without a memory state.
double RetrievabilityOn(const FsrsModel& model, const WordProgress& progress, std::int64_t today);

}  // namespace zembrot::learning
