#pragma once

// The mastery tally: how often each word was typed, which practice line a
// mastered word marks for removal, and when the game is over.
//
// A tally entry is "<text>;<count>": the word's two texts joined (shown text
// first, as at its first match) and a decimal count, 0 at the first match,
// raised by one per further match up to 6. So the first seven matches of a
// word are counted, and from its eighth match on each match marks its line.

#include <string>

namespace zembrot {
class TStringList;
}

namespace zembrot::game {

// Counts one match of the word that showed `displayed` and kept `hint`.
// The entry is the newest one whose text is the word's two texts joined in
// either order (the alternation swaps them); the count follows the last
// semicolon, since the texts themselves may hold semicolons. A word without
// a second text never finds an entry: each of its matches starts a new one.
// Returns true when the word is mastered (its count was already 6).
// A count that is no number raises EConvertError.
bool CountMatch(TStringList& tally, const std::string& displayed, const std::string& hint);

// The practice line of a mastered word: the last line whose English (the
// trimmed text before its first comma) is one of the word's two texts, or
// -1 when no line is.
int MasteredLine(const TStringList& practice, const std::string& displayed, const std::string& hint);

// The game is over when fewer than two lines holding a word are left (a
// blank line is never spawned, so it cannot keep a game going). The
// check sees the list before any pending removal and holds again at every
// later match while the list stays short.
bool GameOver(const TStringList& practice);

}  // namespace zembrot::game
