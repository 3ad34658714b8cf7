#include "game/core/learning_log.h"

#include "game/core/match.h"

namespace zembrot::game {

LearningLog& NoLearningLog() {
  static LearningLog keepsNothing;
  return keepsNothing;
}

Shown ShownBy(const SpawnedPair& pair, const std::string& caption) {
  if (pair.wholeLine) return Shown::WholeLine;
  // A pair whose two texts are one shows its English either way.
  const bool chineseOnly = caption == pair.chinese && !EqualIgnoringAsciiCase(caption, pair.english);
  return chineseOnly ? Shown::Chinese : Shown::English;
}

Outcome OutcomeOfMatch(const SpawnedPair& pair, Shown shown, const std::string& typed) {
  return shown == Shown::Chinese && EqualIgnoringAsciiCase(typed, pair.english) ? Outcome::Recalled
                                                                                 : Outcome::Copied;
}

}  // namespace zembrot::game
