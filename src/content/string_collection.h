#pragma once

// Text operations that divide the game's lines at a separator: a practice
// line at its first comma, a tally entry at its first semicolon.
//
// Texts are byte strings in the game's code page and positions are 1-based
// byte positions, 0 meaning "not found". Searches compare bytes and know
// nothing of double-byte characters, which is safe for separators below 64
// such as "," and ";": no GBK character contains them.

#include <string>

namespace zembrot {

class TStringCollection {
 public:
  // `s` with its lower-case letters made upper case: ASCII a..z and, as
  // double-byte characters, the full-width Latin, Greek and Cyrillic letters
  // of GBK. Every other byte stays, so positions in the result are positions
  // in `s`.
  std::string UpperText(const std::string& s) const;

  // Position of the first occurrence of `sub` in `s` at or after position
  // `from`, or 0. `from` 0 and 1 both search the whole text; a negative
  // `from` is taken as 0. An empty `sub` is found nowhere.
  int Search(const std::string& sub, const std::string& s, int from, bool ignoreCase) const;

  // The part of `s` after the first occurrence of `sep` at or after `from`,
  // or empty when there is none.
  std::string TextAfter(const std::string& sep, const std::string& s, int from) const;

  // The part of `s` before the first occurrence of `sep` at or after `from`,
  // counted from the start of `s`; the whole of `s` when there is none.
  std::string TextBefore(const std::string& sep, const std::string& s, int from) const;
};

}  // namespace zembrot
