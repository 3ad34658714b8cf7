#include "learning/grading.h"

namespace zembrot::learning {

std::optional<Outcome> OutcomeFromNumber(int number) {
  switch (number) {
    case 1:
      return Outcome::Recalled;
    case 2:
      return Outcome::Copied;
    case 3:
      return Outcome::Missed;
    default:
      return std::nullopt;
  }
}

Grade GradeFor(Outcome outcome, bool hint_ticked, bool whole_line) {
  switch (outcome) {
    case Outcome::Recalled:
      return hint_ticked || whole_line ? Grade::None : Grade::Good;
    case Outcome::Missed:
      return Grade::Again;
    case Outcome::Copied:
      break;
  }
  return Grade::None;
}

}  // namespace zembrot::learning
