// The alternation timer and the menu commands.

#include <string>

#include "content/string_list.h"
#include "frame/menu.h"
#include "frame/message_form.h"
#include "frame/open_dialog.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "game/slots.h"
#include "game/texts.h"
#include "widgets/zb_label.h"

namespace zembrot {

void TForm1::Timer3Timer(QObject* /*Sender*/) {
  // Each word shows its two texts in turn; matching, hints and the tally
  // accept either order.
  const int last = word_slots::LoopBound(TopSlot);
  for (int i = 0; i <= last; ++i) {
    TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    const std::string shown = word->Caption();
    word->SetCaption(word->Hint());
    word->SetHint(shown);
  }
}

void TForm1::N2Click(QObject* /*Sender*/) {
  // Only words spawned from now on show their whole line.
  N2->SetChecked(!N2->Checked());
}

void TForm1::N4Click(QObject* /*Sender*/) {
  N4->SetChecked(!N4->Checked());
  Timer3->SetEnabled(N4->Checked());
}

void TForm1::N3Click(QObject* /*Sender*/) {
  ShowNotice(texts::CustomContentNotice() + "\r" + DefaultPracticeFilePath());
  if (!OpenDialog1->Execute()) return;
  // Words on the field, NextLine and the tally stay: the fall tick copes
  // with a shorter list. A failed load changes nothing.
  PracticeList->LoadLines(OpenDialog1->SystemFileName(), OpenDialog1->FileName);
  // The removal mark named a line of the old list; left standing, it would
  // delete an unplayed line of the new one.
  PendingDelete = -1;
}

void TForm1::N5Click(QObject* /*Sender*/) { ShowNotice(texts::HelpText()); }

}  // namespace zembrot
