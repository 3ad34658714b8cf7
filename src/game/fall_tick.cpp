// The fall tick: score caption, movement, removal at the bottom, spawning.

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/convert.h"
#include "content/str_con.h"
#include "content/string_list.h"
#include "frame/application.h"
#include "frame/menu.h"
#include "frame/message_form.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "game/slots.h"
#include "game/texts.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot {

namespace {

constexpr int kStepRange = 5;            // a normal fall is 1 + a draw from 0..4
constexpr int kJumpRange = 30;           // a crowded word falls a draw from 0..29
constexpr int kCrowdingHeight = 20;
constexpr int kCrowdingDistance = 150;
constexpr int kBottom = 450;             // a word whose Top passes this is gone
constexpr int kHighestSpawnTopSlot = 4;  // spawns are tried only below this
constexpr int kSpawnGateRange = 820;
constexpr int kSpawnLeftRange = 780;
constexpr int kWordFontSize = 20;

using word_slots::LoopBound;

}  // namespace

int TForm1::FindBlocker(int Y, int X, int Exclude) const {
  int result = -1;
  // Slot 0 never crowds anyone.
  for (int i = 1; i <= LoopBound(TopSlot); ++i) {
    const TZbLabel* word = WordSlots[i];
    if (word == nullptr || i == Exclude) continue;
    const bool levelOrAbove = word->Top() - Y < kCrowdingHeight;
    const bool near = std::abs(word->Left() - X) < kCrowdingDistance ||
                      std::abs(word->Left() + word->Width() - X) < kCrowdingDistance;
    if (levelOrAbove && near) result = word->Top();
  }
  return result;
}

void TForm1::Timer1Timer(QObject* /*Sender*/) {
  // The caption shows the score as it stood before this tick's removals.
  SetCaption(texts::ScorePrefix() + std::to_string(Score));
  Services& services = CurrentServices();
  services.Randomize();
  // Whatever waits runs now, nested: keys (with their pauses), clicks, menu
  // commands, the ticks of every timer (this one's own next tick too, once a
  // pause in here has made it due). The loop below sees the fields as they
  // left them.
  PumpPendingMessages();

  if (TopSlot >= 1) {
    // Read once: removals below lower TopSlot but not this loop's reach.
    const int last = LoopBound(TopSlot);
    for (int i = 0; i <= last; ++i) {
      TZbLabel* word = WordSlots[i];
      if (word == nullptr) continue;
      UpdateHint();
      const int newTop = word->Top() + services.Random(kStepRange) + 1;
      // The probe ordinate is the current Top plus the new Top, as the
      // game always had it; it decides how words bunch up.
      const int blocker = FindBlocker(word->Top() + newTop, word->Left(), i);
      if (blocker == -1) {
        word->SetTop(newTop);
      } else if (blocker <= word->Top()) {
        word->SetTop(word->Top() + services.Random(kJumpRange));
      }
      if (word->Top() > kBottom) {
        DestroyWord(i);
        --TopSlot;
        // Never down to 0 ms: an interval of 0 would stop the fall for good.
        const unsigned interval = Timer1->Interval();
        Timer1->SetInterval(interval > 1 ? interval - 1 : 1);
        --Score;
      }
    }
  }

  if (TopSlot < kHighestSpawnTopSlot &&
      FindBlocker(0, services.Random(kSpawnGateRange), -1) == -1) {
    SpawnWords();
  }
}

namespace {

// A line that is empty after trimming holds no word.
bool IsBlankLine(const std::string& line) {
  for (const char byte : line) {
    if (static_cast<unsigned char>(byte) > ' ') return false;
  }
  return true;
}

}  // namespace

bool TForm1::PracticeListHasWords() const {
  for (int i = 0; i < PracticeList->LineCount(); ++i) {
    if (!IsBlankLine(PracticeList->LineAt(i))) return true;
  }
  return false;
}

void TForm1::SpawnWords() {
  const int last = LoopBound(TopSlot + 1);
  if (!PracticeListHasWords()) {
    // Words left on the field from before a stop take their slots back
    // without a line; only a slot that needs one is refused.
    for (int i = 0; i <= last; ++i) {
      if (WordSlots[i] == nullptr) {
        ReportEmptyPracticeList();
        // A word further up still has to be reached, or it would hang there
        // unmatchable; with no word above, TopSlot stays and words arrive
        // as soon as a list is loaded.
        for (int above = std::max(TopSlot + 1, 0); above <= word_slots::kLastSlot; ++above) {
          if (WordSlots[above] != nullptr) {
            ++TopSlot;
            break;
          }
        }
        return;
      }
    }
  }
  ++TopSlot;
  // Every empty slot up to the new TopSlot is filled, not only the top one.
  for (int i = 0; i <= last; ++i) {
    if (WordSlots[i] != nullptr) continue;
    if (!PracticeListHasWords()) {
      // The pending removal took the last word.
      ReportEmptyPracticeList();
      return;
    }
    SpawnWordInSlot(i);
  }
}

void TForm1::AdvanceNextLine() {
  // The list is read cyclically from its first line.
  if (NextLine > PracticeList->LineCount() - 2) NextLine = -1;
  ++NextLine;
}

std::string TForm1::TakeNextPracticeLine() {
  // A shorter list may have been loaded since NextLine was advanced.
  if (NextLine < 0 || NextLine >= PracticeList->LineCount()) NextLine = 0;
  // Blank lines are passed over as if spawns had taken them. The caller
  // has made sure the list holds a word, so this ends within one round.
  for (int skipped = 0; skipped < PracticeList->LineCount(); ++skipped) {
    std::string line = PracticeList->LineAt(NextLine);
    if (!IsBlankLine(line)) return line;
    AdvanceNextLine();
  }
  return PracticeList->LineAt(NextLine);
}

void TForm1::SpawnWordInSlot(int slot) {
  // The line is read before the label exists, so a failure never leaves a
  // half-made word in a slot.
  const std::string line = TakeNextPracticeLine();
  std::string caption = N2->Checked() ? line : Trim(StringHelpers->TextAfter(",", line, 0));
  std::string hint = Trim(StringHelpers->TextBefore(",", line, 0));

  if (PendingDelete != -1) {
    const int marked = PendingDelete;
    PendingDelete = -1;
    // A mark beyond the end belongs to a list that has since been replaced.
    if (marked >= 0 && marked < PracticeList->LineCount()) PracticeList->DeleteLine(marked);
  }
  AdvanceNextLine();

  auto* word = new TZbLabel(ZbPanel1);  // owned by the play field
  word->SetCaption(caption);
  word->SetHint(hint);
  word->SetHeight(20);
  word->SetWidth(70);
  word->SetLeft(CurrentServices().Random(kSpawnLeftRange));
  word->SetTop(0);
  word->SetTransparent(true);
  // A practice text such as "R&D" falls as it stands, so what is shown is
  // what must be typed.
  word->SetShowAccelChar(false);
  word->Font().SetSize(kWordFontSize);
  word->Font().SetName(texts::SongFace());
  WordSlots[slot] = word;
  word->show();
}

void TForm1::ReportEmptyPracticeList() {
  if (emptyListReported_) return;
  // Set before the notice: ticks keep running inside its modal loop.
  emptyListReported_ = true;
  ShowNotice(texts::EmptyPracticeList());
}

}  // namespace zembrot
