// What the game tells its learning log: games started and ended, and the
// outcome of every word spawned from a practice pair.

#include <string>

#include "content/string_list.h"
#include "frame/menu.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot {

void TForm1::LoadPracticeList(const std::filesystem::path& file, const std::string& shownPath) {
  // Words on the field, NextLine and the tally stay: the fall tick copes
  // with a shorter list. A failed load changes nothing.
  PracticeList->LoadLines(file, shownPath);
  PendingDelete.Clear();
  practiceListName_ = shownPath;
}

void TForm1::LoadPracticeText(const std::string& text, const std::string& name) {
  PracticeList->SplitIntoLines(text);
  PendingDelete.Clear();
  practiceListName_ = name;
}

void TForm1::DetachLearningLog() {
  EndLoggedGame();
  learningLog_ = &game::NoLearningLog();
}

void TForm1::LogMatch(int slot, const std::string& displayed) {
  const game::SpawnedPair* pair = SpawnedPairOf(slot);
  if (pair == nullptr) return;
  const game::Shown shown = game::ShownBy(*pair, displayed);
  LogOutcome(slot, game::OutcomeOfMatch(*pair, shown, TypedText), shown);
}

void TForm1::LogMiss(int slot) {
  const game::SpawnedPair* pair = SpawnedPairOf(slot);
  if (pair == nullptr) return;
  LogOutcome(slot, game::Outcome::Missed, game::ShownBy(*pair, WordSlots[slot]->Caption()));
}

void TForm1::LogOutcome(int slot, game::Outcome outcome, game::Shown shown) {
  const game::SpawnedPair& pair = *SpawnedPairOf(slot);
  game::WordOutcome done;
  done.english = pair.english;
  done.chinese = pair.chinese;
  done.outcome = outcome;
  done.shown = shown;
  done.atMs = CurrentServices().NowMs();
  done.onFieldMs = done.atMs - pair.spawnedMs;
  done.fallIntervalMs = Timer1->Interval();
  done.hintTicked = CheckBox1->Checked();
  done.wholeLineSetting = N2->Checked();
  learningLog_->WordDone(done);
}

void TForm1::EndLoggedGame() {
  if (!gameLogged_) return;
  gameLogged_ = false;
  learningLog_->GameEnded(CurrentServices().NowMs());
}

}  // namespace zembrot
