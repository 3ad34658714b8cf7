#pragma once

// How the game's outcomes become grades for the memory model.

#include <optional>

#include "learning/fsrs.h"

namespace zembrot::learning {

// What happened to a word on the field (the numbers are stored).
enum class Outcome : int {
  Recalled = 1,  // its English typed while it showed only its Chinese
  Copied = 2,    // its English typed while the English was visible (its English side or the whole line)
  Missed = 3,    // it left the bottom of the field
};

// The outcome a stored number names; none for any other number.
std::optional<Outcome> OutcomeFromNumber(int number);

// Only a recall from the Chinese alone, with no hint on offer and the whole
// line not shown, is proof of memory (Good); a miss is Again; anything else
// (the English could be read off the screen) tells the model nothing.
Grade GradeFor(Outcome outcome, bool hint_ticked, bool whole_line);

}  // namespace zembrot::learning
