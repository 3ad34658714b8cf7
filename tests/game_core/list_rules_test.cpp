// The practice list as spawns read it, the removal mark and the tally.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/errors.h"
#include "content/string_list.h"
#include "game/core/practice_cursor.h"
#include "game/core/tally.h"

namespace zembrot::game {
namespace {

TStringList ListOf(const std::vector<std::string>& lines) {
  TStringList list;
  for (const std::string& line : lines) list.AppendLine(line);
  return list;
}

std::vector<std::string> LinesOf(const TStringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.LineCount(); ++i) lines.push_back(list.LineAt(i));
  return lines;
}

TEST(ListRules, SpawnReadsTheListCyclically) {
  const struct {
    const char* name;
    std::vector<std::string> lines;
    int next, mark;
    bool wholeLine;
    std::string caption, hint;
    int nextAfter;
    std::vector<std::string> linesAfter;
  } cases[] = {
      {"last line wraps", {"apple,A", "pear,P"}, 1, -1, false, "P", "pear", 0, {"apple,A", "pear,P"}},
      {"whole line as it stands", {" apple , A "}, 0, -1, true, " apple , A ", "apple", 0, {" apple , A "}},
      {"trimmed texts", {" apple , A \t"}, 0, -1, false, "A", "apple", 0, {" apple , A \t"}},
      {"no comma", {"apple"}, 0, -1, false, "", "apple", 0, {"apple"}},
      {"second comma stays in the caption", {"a,b,c"}, 0, -1, false, "b,c", "a", 0, {"a,b,c"}},
      {"blank lines passed over", {"apple,A", "", " \t", "pear,P"}, 1, -1, false, "P", "pear", 0,
       {"apple,A", "", " \t", "pear,P"}},
      {"blank lines at the end wrap", {"apple,A", "pear,P", ""}, 2, -1, false, "A", "apple", 1,
       {"apple,A", "pear,P", ""}},
      {"beyond a shorter list starts over", {"apple,A", "pear,P"}, 5, -1, false, "A", "apple", 1,
       {"apple,A", "pear,P"}},
      // The line is read before the removal; the step counts the shorter list.
      {"removal after the read", {"apple,A", "pear,P", "tea,T"}, 2, 0, false, "T", "tea", 0, {"pear,P", "tea,T"}},
      {"removal of the line read", {"apple,A", "pear,P", "tea,T"}, 1, 1, false, "P", "pear", 0, {"apple,A", "tea,T"}},
      {"mark beyond the end removes nothing", {"apple,A", "pear,P"}, 0, 7, false, "A", "apple", 1,
       {"apple,A", "pear,P"}},
  };
  for (const auto& c : cases) {
    TStringList list = ListOf(c.lines);
    PracticeCursor cursor = c.next;
    RemovalMark mark = c.mark;
    const SpawnedTexts texts = cursor.Spawn(list, mark, c.wholeLine);
    EXPECT_EQ(texts.caption, c.caption) << c.name;
    EXPECT_EQ(texts.hint, c.hint) << c.name;
    EXPECT_EQ(cursor, c.nextAfter) << c.name;
    EXPECT_EQ(mark, -1) << c.name;
    EXPECT_EQ(LinesOf(list), c.linesAfter) << c.name;
  }
}

TEST(ListRules, SpawnFromAnEmptyListFailsBeforeChangingAnything) {
  TStringList list;
  PracticeCursor cursor = 0;
  RemovalMark mark = 0;
  EXPECT_THROW(cursor.Spawn(list, mark, false), EStringListError);
  EXPECT_EQ(mark, 0);
}

TEST(ListRules, Tally) {
  const struct {
    const char* name;
    std::vector<std::string> tally;
    std::string displayed, hint;
    bool mastered;
    std::vector<std::string> tallyAfter;
  } cases[] = {
      {"first match", {}, "A", "apple", false, {"Aapple;0"}},
      {"swapped texts find the entry", {"Aapple;3"}, "apple", "A", false, {"Aapple;4"}},
      {"sixth raise", {"Aapple;5"}, "A", "apple", false, {"Aapple;6"}},
      {"eighth match marks", {"Aapple;6"}, "A", "apple", true, {"Aapple;6"}},
      {"the newest entry counts", {"Aapple;6", "Aapple;2"}, "A", "apple", false, {"Aapple;6", "Aapple;3"}},
      {"another word's entry is no match", {"Bapple;2"}, "A", "apple", false, {"Bapple;2", "Aapple;0"}},
      {"no second text starts a new entry", {"A;0"}, "A", "", false, {"A;0", "A;0"}},
      {"semicolons inside the texts", {"A;bapple;1"}, "A;b", "apple", false, {"A;bapple;2"}},
  };
  for (const auto& c : cases) {
    TStringList tally = ListOf(c.tally);
    EXPECT_EQ(CountMatch(tally, c.displayed, c.hint), c.mastered) << c.name;
    EXPECT_EQ(LinesOf(tally), c.tallyAfter) << c.name;
  }
}

TEST(ListRules, MasteredLineAndGameOver) {
  const TStringList practice = ListOf({"apple,A", " pear ,P", "apple,B", "tea"});
  EXPECT_EQ(MasteredLine(practice, "A", "apple"), 2);  // the last line wins
  EXPECT_EQ(MasteredLine(practice, "pear", "P"), 1);   // either text, trimmed English
  EXPECT_EQ(MasteredLine(practice, "T", "tea"), 3);
  EXPECT_EQ(MasteredLine(practice, "X", "plum"), -1);

  const std::vector<std::pair<std::vector<std::string>, bool>> over = {
      {{}, true}, {{"apple,A"}, true}, {{"apple,A", "pear,P"}, false}, {{"apple,A", "", " "}, true},
      {{"apple,A", "", "pear,P"}, false}};
  for (const auto& [lines, expected] : over) EXPECT_EQ(GameOver(ListOf(lines)), expected) << lines.size();
}

}  // namespace
}  // namespace zembrot::game
