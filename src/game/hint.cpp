// The hint line: the check box caption shows a falling word's texts with
// one byte masked, and the whole text nine seconds later.

#include <string>

#include "frame/services.h"
#include "frame/timer.h"
#include "game/core/hint_mask.h"
#include "game/form1.h"
#include "game/services_dice.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot {

void TForm1::UpdateHint() {
  if (!CheckBox1->Checked()) return;
  const int last = TopSlot.LoopBound();

  // While the hint line shows a word's text, that word blinks and the hint
  // stays as it is; words after it keep their blink state.
  for (int i = 0; i <= last; ++i) {
    TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    if (game::HintLineShows(CheckBox1->Caption(), word->Caption())) {
      word->SetBlinking(true);
      return;
    }
    word->SetBlinking(false);
  }

  // Otherwise every visited word gets a fresh masked hint in turn; the last
  // one stays on the line.
  Services& services = CurrentServices();
  ServicesDice dice(services);
  for (int i = 0; i <= last; ++i) {
    const TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    HintText = word->Caption() + word->Hint();
    services.Randomize();
    const int position = game::MaskPosition(static_cast<int>(word->Hint().size()), dice);
    CheckBox1->SetCaption(game::Masked(HintText, position));
    Timer2->SetEnabled(true);
  }
}

void TForm1::Timer2Timer(QObject* /*Sender*/) {
  Timer2->SetEnabled(false);
  CheckBox1->SetCaption(HintText);
}

}  // namespace zembrot
