// The menu commands: the whole-line setting, another practice list, help.

#include <string>

#include "content/string_list.h"
#include "frame/menu.h"
#include "frame/message_form.h"
#include "frame/open_dialog.h"
#include "game/form1.h"
#include "game/texts.h"

namespace zembrot {

void TForm1::N2Click(QObject* /*Sender*/) {
  // Only words spawned from now on show their whole line.
  N2->SetChecked(!N2->Checked());
}

void TForm1::N3Click(QObject* /*Sender*/) {
  ShowNotice(texts::CustomContentNotice() + "\r" + DefaultPracticeFilePath());
  if (!OpenDialog1->Execute()) return;
  LoadPracticeList(OpenDialog1->SystemFileName(), OpenDialog1->FileName);
}

void TForm1::N5Click(QObject* /*Sender*/) { ShowNotice(texts::HelpText()); }

}  // namespace zembrot
