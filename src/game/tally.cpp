// The mastery tally: how often each word was typed, pruning of mastered
// lines, and the end of the game.

#include <string>

#include "base/convert.h"
#include "content/str_con.h"
#include "content/string_list.h"
#include "frame/message_form.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "game/texts.h"

namespace zembrot {

namespace {

constexpr int kHighestRaisedCount = 5;  // counts 0..6; from the eighth match on, mark
constexpr int kGameOverBelow = 2;

}  // namespace

// An entry is "<text>;<count>". It belongs to the word when its text is the
// word's two texts joined in either order, so the entry is still found after
// the alternation swapped them. The count follows the last semicolon: the
// texts themselves may hold semicolons. A word without a second text never
// finds an entry: each of its matches starts a new one.
void TForm1::TallyWord(const std::string& displayed, const std::string& hint) {
  const std::string joined = displayed + hint;
  const std::string swapped = hint + displayed;
  bool found = false;
  for (int k = hint.empty() ? -1 : TallyList->LineCount() - 1; k >= 0; --k) {
    const std::string entry = TallyList->LineAt(k);
    const std::string::size_type separator = entry.rfind(';');
    if (separator == std::string::npos) continue;
    const std::string text = entry.substr(0, separator);
    if (text != joined && text != swapped) continue;
    found = true;
    const int count = StrToInt(entry.substr(separator + 1));
    if (count <= kHighestRaisedCount) {
      TallyList->SetLine(k, text + ";" + std::to_string(count + 1));
    } else {
      MarkMasteredLine(displayed, hint);
    }
    break;  // the newest entry of the word is the one that counts
  }
  if (!found) TallyList->AppendLine(joined + ";0");
  CheckGameOver();
}

// The fall tick removes the marked line at its next spawn; a second mark
// before then replaces the first.
void TForm1::MarkMasteredLine(const std::string& displayed, const std::string& hint) {
  for (int j = PracticeList->LineCount() - 1; j >= 0; --j) {
    const std::string english = Trim(StringHelpers->TextBefore(",", PracticeList->LineAt(j), 0));
    if (english == displayed || english == hint) {
      PendingDelete = j;
      return;
    }
  }
}

void TForm1::CheckGameOver() {
  // Sees the list before any pending removal, and says it again at every
  // later match while the list stays short.
  if (PracticeList->LineCount() >= kGameOverBelow) return;
  ShowNotice(texts::GameOver() + "\r" + PracticeList->JoinedText());
  // Ticks went on while the notice was open; the fall stops only now.
  Timer1->SetEnabled(false);
}

}  // namespace zembrot
