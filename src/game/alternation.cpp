// Alternation: every two seconds each falling word swaps its two texts, and
// the menu switch that turns it on and off.

#include <string>

#include "frame/menu.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "widgets/zb_label.h"

namespace zembrot {

void TForm1::Timer3Timer(QObject* /*Sender*/) {
  // Each word shows its two texts in turn; matching, hints and the tally
  // accept either order.
  const int last = TopSlot.LoopBound();
  for (int i = 0; i <= last; ++i) {
    TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    const std::string shown = word->Caption();
    word->SetCaption(word->Hint());
    word->SetHint(shown);
  }
}

// In any state, before Start and after End too; Start turns the alternation
// on whatever this shows.
void TForm1::N4Click(QObject* /*Sender*/) {
  N4->SetChecked(!N4->Checked());
  Timer3->SetEnabled(N4->Checked());
}

}  // namespace zembrot
