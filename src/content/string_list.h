#pragma once

// The line list: the practice list read from a practice file, and the tally
// list the game builds in memory. Lines are byte strings in the system code
// page; indices run from 0 to LineCount() - 1.

#include <filesystem>
#include <string>
#include <string_view>

#include "content/line_store.h"

namespace zembrot {

// A line holds a word unless it is empty once the bytes 0 to 32 are trimmed
// from both ends.
bool HoldsWord(std::string_view line);

class TStringList {
 public:
  // Replaces every line with the lines of the file at `path` (code-page
  // bytes, relative to the current directory or absolute). A file that
  // cannot be opened raises EFOpenError and leaves the list as it was.
  //
  // A file that starts with a UTF-8 or UTF-16 byte-order mark, or whose bytes
  // are valid UTF-8 with at least one non-ASCII byte, is converted to the code
  // page first (characters the code page lacks become "?"); anything else is
  // taken byte for byte.
  void LoadLines(const std::string& path);
  // The same for a file named as the system gave it (a path from a dialog,
  // a name relative to the current folder), opened by that name as it is;
  // `shownPath` (code-page bytes) is only what error messages show of it.
  void LoadLines(const std::filesystem::path& file, const std::string& shownPath);

  // Replaces every line with the lines of `text`: CR LF, a lone CR and a lone
  // LF each end a line, a last line without a line end still counts, and the
  // first NUL byte ends the text.
  void SplitIntoLines(const std::string& text);

  int LineCount() const;

  // Index operations raise EStringListError for an index outside
  // 0..LineCount()-1 and then change nothing.
  std::string LineAt(int index) const;
  void SetLine(int index, const std::string& line);
  void DeleteLine(int index);

  void AppendLine(const std::string& line);

  // Every line in order, each followed by CR LF.
  std::string JoinedText() const;

  // How many lines hold a word. Counted once after the lines are
  // replaced and kept up to date by every later change, so asking again is
  // free even for a list of millions of blank lines.
  int WordLineCount() const;
  // How often WordLineCount() has had to read every line.
  int WordLineScans() const { return wordLineScans_; }

 private:
  void CheckIndex(int index) const;
  // Keeps a known word-line count up to date when one line goes or comes.
  void CountLineChange(bool removedHeldWord, bool addedHoldsWord);

  LineStore lines_;
  static constexpr int kUnknown = -1;
  mutable int wordLines_ = 0;  // kUnknown after the lines were replaced
  mutable int wordLineScans_ = 0;
};

}  // namespace zembrot
