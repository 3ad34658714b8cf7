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

struct OutcomeCase {
  const char* name;
  SpawnedPair pair;
  std::string caption, typed;
  Shown shown;
  Outcome outcome;
};

TEST(TypingRules, OutcomeOfAMatch) {
  const std::vector<OutcomeCase> cases = {
      {"recalled", {"apple", "A", false, 0}, "A", "apple", Shown::Chinese, Outcome::Recalled},
      {"recalled, other case", {"Apple", "A", false, 0}, "A", "aPPLE", Shown::Chinese, Outcome::Recalled},
      {"Chinese typed as shown", {"apple", "A", false, 0}, "A", "A", Shown::Chinese, Outcome::Copied},
      {"English showing", {"apple", "A", false, 0}, "apple", "apple", Shown::English, Outcome::Copied},
      {"whole line", {"apple", "A", true, 0}, "apple,A", "apple", Shown::WholeLine, Outcome::Copied},
      {"both texts alike", {"ok", "ok", false, 0}, "ok", "ok", Shown::English, Outcome::Copied},
  };
  for (const OutcomeCase& c : cases) {
    EXPECT_EQ(ShownBy(c.pair, c.caption), c.shown) << c.name;
    EXPECT_EQ(OutcomeOfMatch(c.pair, ShownBy(c.pair, c.caption), c.typed), c.outcome) << c.name;
  }
}

}  // namespace
}  // namespace zembrot::game
