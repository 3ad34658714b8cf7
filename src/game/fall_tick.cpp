// The fall tick: score caption, movement, removal at the bottom, spawning.

#include <optional>
#include <string>
#include <utility>

#include "content/string_list.h"
#include "frame/application.h"
#include "frame/menu.h"
#include "frame/message_form.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/core/practice_cursor.h"
#include "game/core/word_field.h"
#include "game/form1.h"
#include "game/label_field.h"
#include "game/services_dice.h"
#include "game/texts.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot {

int TForm1::FindBlocker(int Y, int X, int Exclude) const {
  return game::FindBlocker(LabelField(*this), TopSlot, Y, X, Exclude);
}

void TForm1::Timer1Timer(QObject* /*Sender*/) {
  // The caption shows the score as it stood before this tick's removals.
  SetCaption(texts::ScorePrefix() + std::to_string(Score));
  Services& services = CurrentServices();
  ServicesDice dice(services);
  services.Randomize();
  // Whatever waits runs now, nested: keys (with their pauses), clicks, menu
  // commands, the ticks of every timer (this one's own next tick too, once a
  // pause in here has made it due). The loop below sees the fields as they
  // left them.
  PumpPendingMessages();

  const LabelField field(*this);
  // With TopSlot 0 or below no word moves in this tick.
  if (TopSlot >= 1) {
    const int last = TopSlot.LoopBound();
    for (int i = 0; i <= last; ++i) {
      TZbLabel* word = WordSlots[i];
      if (word == nullptr) continue;
      UpdateHint();
      const int top = game::FallenTop(field, TopSlot, i, dice);
      if (top != word->Top()) word->SetTop(top);
      if (game::LeftTheField(word->Top())) {
        LogMiss(i);
        RemoveWord(i);
        Timer1->SetInterval(game::IntervalAfterMiss(Timer1->Interval()));
        --Score;
      }
    }
  }

  if (game::SpawnGateOpen(field, TopSlot, dice)) SpawnWords();
}

void TForm1::SpawnWords() {
  const LabelField field(*this);
  const int last = TopSlot.SpawnReach();
  if (PracticeList->WordLineCount() == 0 && game::FirstEmptySlot(field, last) != -1) {
    ReportEmptyPracticeList();
    // With no word above either, TopSlot stays and words arrive as soon as
    // a list is loaded.
    game::ReachWaitingWord(field, TopSlot);
    return;
  }
  TopSlot.SpawnAdmitted();
  // Every empty slot up to the new TopSlot is filled, not only the top one.
  for (int i = 0; i <= last; ++i) {
    if (WordSlots[i] != nullptr) continue;
    if (PracticeList->WordLineCount() == 0) {
      // The pending removal took the last word.
      ReportEmptyPracticeList();
      return;
    }
    SpawnWordInSlot(i);
  }
}

void TForm1::SpawnWordInSlot(int slot) {
  // The line is read before the label exists, so a failure never leaves a
  // half-made word in a slot.
  const bool wholeLine = N2->Checked();
  game::SpawnedTexts spawned = NextLine.Spawn(*PracticeList, PendingDelete, wholeLine);

  auto* word = new TZbLabel(ZbPanel1);  // owned by the play field
  word->SetCaption(spawned.caption);
  word->SetHint(spawned.hint);
  word->SetHeight(game::kNewWordHeight);
  word->SetWidth(game::kNewWordWidth);
  word->SetLeft(CurrentServices().Random(game::kSpawnLeftRange));
  word->SetTop(0);
  word->SetTransparent(true);
  // A practice text such as "R&D" falls as it stands, so what is shown is
  // what must be typed.
  word->SetShowAccelChar(false);
  word->Font().SetSize(game::kWordFontSize);
  word->Font().SetName(texts::SongFace());
  std::optional<game::SpawnedPair> pair;
  if (spawned.chinese) {
    pair = game::SpawnedPair{std::move(spawned.hint), std::move(*spawned.chinese), wholeLine,
                             CurrentServices().NowMs()};
  }
  PutWord(slot, word, std::move(pair));
  word->show();
}

void TForm1::ReportEmptyPracticeList() {
  if (emptyListReported_) return;
  // Set before the notice: ticks keep running inside its modal loop.
  emptyListReported_ = true;
  ShowNotice(texts::EmptyPracticeList());
}

}  // namespace zembrot
