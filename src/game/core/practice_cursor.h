#pragma once

// The practice list as spawns read it: NextLine walks the list cyclically,
// passing over lines that hold no word, and the line marked for removal is
// removed at the next spawn.

#include <optional>
#include <string>

namespace zembrot {
class TStringList;
}

namespace zembrot::game {

// PendingDelete: the practice line to remove at the next spawn, or -1. Only
// one line is marked at a time: a second mark before the next spawn replaces
// the first, so the list shrinks by at most one line per spawn.
class RemovalMark {
 public:
  // Implicit, so that a test can set up a mark as `PendingDelete = 1`.
  constexpr RemovalMark(int line = -1) : line_(line) {}  // NOLINT(google-explicit-constructor)
  constexpr operator int() const { return line_; }        // NOLINT(google-explicit-constructor)

  void Mark(int line) { line_ = line; }
  // A newly loaded list: the mark named a line of the old one and, left
  // standing, would delete an unplayed line of the new one.
  void Clear() { line_ = -1; }
  // Removes the marked line, if any, and clears the mark. A mark beyond the
  // end belongs to a list that has since been replaced and removes nothing.
  void ApplyTo(TStringList& list);

 private:
  int line_;
};

// What a spawned word shows and keeps from its practice line.
struct SpawnedTexts {
  std::string caption;  // shown: the Chinese, or with `wholeLine` the line as it stands
  std::string hint;     // kept: the English, the text before the first comma
  // The trimmed text after the first comma; none when the line has no comma
  // (such a line is no practice pair).
  std::optional<std::string> chinese;
};

// The caption and second text of a word spawned from `line`: with
// `wholeLine` the line unchanged (comma and spaces included), else the
// trimmed text after the first comma; the second text is the trimmed text
// before the first comma (the whole trimmed line when there is none).
SpawnedTexts TextsOfLine(const std::string& line, bool wholeLine);

// NextLine: the index of the line the next spawned word takes.
class PracticeCursor {
 public:
  // Implicit, so that a test can set up the cursor as `NextLine = 2`.
  constexpr PracticeCursor(int next = 0) : next_(next) {}  // NOLINT(google-explicit-constructor)
  constexpr operator int() const { return next_; }          // NOLINT(google-explicit-constructor)

  // One spawn's reading of the list, in the game's order: the next line that
  // holds a word (blank lines are passed over as if spawns had taken them;
  // a cursor beyond the end of a shorter list starts again at the first
  // line), then the marked line's removal, then the step to the line after,
  // counted in the list as the removal left it. The caller makes sure the
  // list holds a word.
  SpawnedTexts Spawn(TStringList& list, RemovalMark& removal, bool wholeLine);

 private:
  // One line on, back to the first after the last.
  void Advance(const TStringList& list);

  int next_;
};

}  // namespace zembrot::game
