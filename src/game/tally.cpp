// The mastery tally: how often each word was typed, pruning of mastered
// lines, and the end of the game.

#include <string>

#include "content/string_list.h"
#include "frame/message_form.h"
#include "frame/timer.h"
#include "game/core/tally.h"
#include "game/form1.h"
#include "game/texts.h"

namespace zembrot {

void TForm1::TallyWord(const std::string& displayed, const std::string& hint) {
  if (game::CountMatch(*TallyList, displayed, hint)) {
    // The fall tick removes the marked line at its next spawn.
    const int line = game::MasteredLine(*PracticeList, displayed, hint);
    if (line != -1) PendingDelete.Mark(line);
  }
  if (!game::GameOver(*PracticeList)) return;
  ShowNotice(texts::GameOver() + "\r" + PracticeList->JoinedText());
  // Ticks went on while the notice was open; the fall stops only now.
  Timer1->SetEnabled(false);
}

}  // namespace zembrot
