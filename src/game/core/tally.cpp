#include "game/core/tally.h"

#include "base/convert.h"
#include "content/string_collection.h"
#include "content/string_list.h"

namespace zembrot::game {

namespace {

constexpr int kHighestRaisedCount = 5;  // counts 0..6; from the eighth match on, mark
constexpr int kGameOverBelow = 2;

}  // namespace

bool CountMatch(TStringList& tally, const std::string& displayed, const std::string& hint) {
  const std::string joined = displayed + hint;
  const std::string swapped = hint + displayed;
  for (int k = hint.empty() ? -1 : tally.LineCount() - 1; k >= 0; --k) {
    const std::string entry = tally.LineAt(k);
    const std::string::size_type separator = entry.rfind(';');
    if (separator == std::string::npos) continue;
    const std::string text = entry.substr(0, separator);
    if (text != joined && text != swapped) continue;
    const int count = StrToInt(entry.substr(separator + 1));
    if (count > kHighestRaisedCount) return true;
    tally.SetLine(k, text + ";" + std::to_string(count + 1));
    return false;
  }
  tally.AppendLine(joined + ";0");
  return false;
}

int MasteredLine(const TStringList& practice, const std::string& displayed, const std::string& hint) {
  const TStringCollection helpers;
  for (int j = practice.LineCount() - 1; j >= 0; --j) {
    const std::string english = Trim(helpers.TextBefore(",", practice.LineAt(j), 0));
    if (english == displayed || english == hint) return j;
  }
  return -1;
}

bool GameOver(const TStringList& practice) { return practice.WordLineCount() < kGameOverBelow; }

}  // namespace zembrot::game
