// The hint line: the check box caption shows a falling word's texts with
// one byte masked, and the whole text nine seconds later.

#include <string>

#include "base/shown_text.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "game/slots.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot {

void TForm1::UpdateHint() {
  if (!CheckBox1->Checked()) return;
  const int last = word_slots::LoopBound(TopSlot);

  // While the hint line shows a word's text, that word blinks and the hint
  // stays as it is.
  for (int i = 0; i <= last; ++i) {
    TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    const std::string& caption = word->Caption();
    // A search that stays linear: captions and the hint line can be
    // megabytes long, and this runs for every word on every tick.
    if (!caption.empty() && FindBytes(CheckBox1->Caption(), caption) != std::string::npos) {
      word->SetBlinking(true);
      return;
    }
    word->SetBlinking(false);
  }

  // Otherwise every visited word gets a fresh masked hint in turn; the last
  // one stays on the line.
  Services& services = CurrentServices();
  for (int i = 0; i <= last; ++i) {
    const TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    HintText = word->Caption() + word->Hint();
    std::string masked = HintText;
    services.Randomize();
    // The position counts from the start of the whole text, caption first,
    // so with a Chinese caption the mask usually lands inside the caption.
    const int hintLength = static_cast<int>(word->Hint().size());
    const int position = 1 + (hintLength > 0 ? services.Random(hintLength) : 0);
    if (!masked.empty()) masked[static_cast<std::string::size_type>(position - 1)] = '?';
    CheckBox1->SetCaption(masked);
    Timer2->SetEnabled(true);
  }
}

void TForm1::Timer2Timer(QObject* /*Sender*/) {
  Timer2->SetEnabled(false);
  CheckBox1->SetCaption(HintText);
}

}  // namespace zembrot
