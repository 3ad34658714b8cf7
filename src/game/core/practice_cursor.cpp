#include "game/core/practice_cursor.h"

#include <utility>

#include "base/convert.h"
#include "content/string_collection.h"
#include "content/string_list.h"

namespace zembrot::game {

void RemovalMark::ApplyTo(TStringList& list) {
  if (line_ == -1) return;
  const int marked = line_;
  line_ = -1;
  if (marked >= 0 && marked < list.LineCount()) list.DeleteLine(marked);
}

SpawnedTexts TextsOfLine(const std::string& line, bool wholeLine) {
  const TStringCollection helpers;
  std::string after = Trim(helpers.TextAfter(",", line, 0));
  std::optional<std::string> chinese;
  if (line.find(',') != std::string::npos) chinese = after;
  return {wholeLine ? line : std::move(after), Trim(helpers.TextBefore(",", line, 0)), std::move(chinese)};
}

void PracticeCursor::Advance(const TStringList& list) {
  if (next_ > list.LineCount() - 2) next_ = -1;
  ++next_;
}

SpawnedTexts PracticeCursor::Spawn(TStringList& list, RemovalMark& removal, bool wholeLine) {
  if (next_ < 0 || next_ >= list.LineCount()) next_ = 0;
  // Ends within one round: the list holds a word.
  std::string line = list.LineAt(next_);
  for (int skipped = 1; !HoldsWord(line) && skipped < list.LineCount(); ++skipped) {
    Advance(list);
    line = list.LineAt(next_);
  }
  SpawnedTexts texts = TextsOfLine(line, wholeLine);
  removal.ApplyTo(list);
  Advance(list);
  return texts;
}

}  // namespace zembrot::game
