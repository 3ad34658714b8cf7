// Keys, matching and the hint mask.

#include <deque>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "game/core/hint_mask.h"
#include "game/core/learning_log.h"
#include "game/core/match.h"
#include "scripted_dice.h"

namespace zembrot::game {
namespace {

// Only Backspace and Enter have roles of their own: a line feed is typed.
TEST(TypingRules, KeyRoles) { EXPECT_EQ(RoleOfKey(10), KeyRole::Append); }

TEST(TypingRules, Match) {
  const struct {
    std::string typed, hint, caption;
    bool matches;
  } cases[] = {
      {"APPLE", "apple", "x", true},
      {"apple", "ApPlE", "x", true},
      {"\xC6\xBB\xB9\xFB", "apple", "\xC6\xBB\xB9\xFB", true},  // what the word shows
      {"", "apple", "", true},
      {"appl", "apple", "x", false},
      {"apples", "apple", "x", false},
      {"[", "{", "x", false},                // only A..Z are lowered
      {"\xC6\xBB", "\xE6\xBB", "x", false},  // and never bytes of Chinese characters
  };
  for (const auto& c : cases) EXPECT_EQ(Matches(c.typed, c.hint, c.caption), c.matches) << c.typed << "|" << c.hint;
}

TEST(TypingRules, HintMask) {
  const struct {
    std::string text;
    int hintLength;
    std::deque<std::pair<int, int>> draws;
    std::string masked;
  } cases[] = {
      {"\xC6\xBB\xB9\xFB" "apple", 5, {{5, 0}}, "?\xBB\xB9\xFB" "apple"},
      {"\xC6\xBB\xB9\xFB" "apple", 5, {{5, 4}}, "\xC6\xBB\xB9\xFB?pple"},
      {"ab", 0, {}, "?b"},  // an empty second text: the first byte
      {"", 0, {}, ""},
  };
  for (const auto& c : cases) {
    testing::ScriptedDice dice(c.draws);
    EXPECT_EQ(Masked(c.text, MaskPosition(c.hintLength, dice)), c.masked) << c.text;
  }
  EXPECT_TRUE(HintLineShows("\xC6\xBB\xB9\xFB" "apple", "apple"));
  EXPECT_FALSE(HintLineShows("\xC6\xBB\xB9\xFB" "app?e", "apple"));
  EXPECT_FALSE(HintLineShows("apple", ""));
}

// A pair whose two texts are one shows its English either way, so its match
// is copied; the other outcomes are the learning log's tests.
TEST(TypingRules, OutcomeOfAMatch) {
  const SpawnedPair alike{"ok", "ok", false, 0};
  EXPECT_EQ(ShownBy(alike, "ok"), Shown::English);
  EXPECT_EQ(OutcomeOfMatch(alike, ShownBy(alike, "ok"), "ok"), Outcome::Copied);
}

}  // namespace
}  // namespace zembrot::game
