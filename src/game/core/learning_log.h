#pragma once

// What happened to each falling word, for a learning record. The game tells
// a LearningLog; the default one keeps nothing, so without a record the
// game is exactly the game.

#include <cstdint>
#include <string>

namespace zembrot::game {

enum class Outcome : std::uint8_t {
  Recalled = 1,  // the English typed while the word showed only its Chinese
  Copied = 2,    // typed while what was typed showed: the English side, the whole line, or the Chinese typed as shown
  Missed = 3,    // the word left at the bottom
};

// What the word showed when it was typed or left.
enum class Shown : std::uint8_t { Chinese, English, WholeLine };

// The practice pair a word was spawned from, kept for its whole life on the
// field whatever the alternation shows. Only a line with a comma is a pair.
struct SpawnedPair {
  std::string english;  // the trimmed text before the first comma, as in the list
  std::string chinese;  // the trimmed text after it
  bool wholeLine = false;       // spawned showing its whole line
  std::int64_t spawnedMs = 0;   // wall clock, milliseconds since 1970 UTC
};

struct WordOutcome {
  std::string english;  // code-page bytes, as in the list
  std::string chinese;
  Outcome outcome = Outcome::Missed;
  Shown shown = Shown::Chinese;
  std::int64_t atMs = 0;        // wall clock, milliseconds since 1970 UTC
  std::int64_t onFieldMs = 0;   // from the spawn to the outcome
  unsigned fallIntervalMs = 0;  // the fall tick's interval at the outcome
  bool hintTicked = false;      // the hint box was ticked
  bool wholeLineSetting = false;  // 落下字符显示英文 was on at the outcome
};

class LearningLog {
 public:
  virtual ~LearningLog() = default;
  // Start pressed with the practice list of that name (code-page bytes).
  virtual void GameStarted(const std::string& /*list*/, std::int64_t /*atMs*/) {}
  virtual void WordDone(const WordOutcome& /*outcome*/) {}
  // End pressed, the game over, or the window closed during a game.
  virtual void GameEnded(std::int64_t /*atMs*/) {}
};

// The log that keeps nothing.
LearningLog& NoLearningLog();

// What the word showed: its whole line when it was spawned so, only its
// Chinese when its caption is the pair's Chinese, else its English.
Shown ShownBy(const SpawnedPair& pair, const std::string& caption);

// A match: recalled when the English was typed while the word showed only
// its Chinese; copied otherwise.
Outcome OutcomeOfMatch(const SpawnedPair& pair, Shown shown, const std::string& typed);

}  // namespace zembrot::game
