#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "content/string_list.h"
#include "lines_of.h"

namespace zembrot {
namespace {

using testing_lines::Lines;
using testing_lines::LinesOf;

TStringList ListOf(const Lines& lines) {
  TStringList list;
  for (const std::string& line : lines) list.AppendLine(line);
  return list;
}

TEST(TStringList, NewListIsEmpty) {
  const TStringList list;
  EXPECT_EQ(list.LineCount(), 0);
  EXPECT_EQ(list.JoinedText(), "");
}

TEST(TStringList, AppendKeepsOrderDuplicatesAndAnyBytes) {
  const Lines lines = {"b", "a", "b", "", std::string("x\0\r\ny", 5), "\xC6\xBB\xB9\xFB"};
  const TStringList list = ListOf(lines);
  EXPECT_EQ(list.LineCount(), 6);
  EXPECT_EQ(LinesOf(list), lines);
}

TEST(TStringList, LinesAreCopiesNotShared) {
  TStringList list;
  std::string line = "apple";
  list.AppendLine(line);
  line[0] = 'X';
  std::string read = list.LineAt(0);
  read[1] = 'Y';
  EXPECT_EQ(list.LineAt(0), "apple");
}

TEST(TStringList, SetLineAndDeleteLine) {
  TStringList list = ListOf({"a", "b", "c"});
  list.SetLine(1, "B;1");
  EXPECT_EQ(LinesOf(list), (Lines{"a", "B;1", "c"}));
  list.DeleteLine(0);
  EXPECT_EQ(LinesOf(list), (Lines{"B;1", "c"}));
  list.DeleteLine(1);
  EXPECT_EQ(LinesOf(list), (Lines{"B;1"}));
  list.DeleteLine(0);
  EXPECT_EQ(list.LineCount(), 0);
  list.AppendLine("new");
  EXPECT_EQ(LinesOf(list), (Lines{"new"}));
}

TEST(TStringList, JoinedTextEndsEveryLineWithCrLf) {
  const struct {
    Lines lines;
    std::string text;
  } cases[] = {
      {{}, ""},
      {{""}, "\r\n"},
      {{"a", ""}, "a\r\n\r\n"},
      {{"apple,\xC6\xBB\xB9\xFB", " ice cream , x ", "tea,\xB2\xE8"},
       "apple,\xC6\xBB\xB9\xFB\r\n ice cream , x \r\ntea,\xB2\xE8\r\n"},
      {{"has\nlf"}, "has\nlf\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ListOf(c.lines).JoinedText(), c.text) << testing::PrintToString(c.lines);
  }
}

// Every index operation refuses an index outside the list with the same
// message and leaves the list as it was.
TEST(TStringList, IndexErrorsNameTheIndexAndChangeNothing) {
  using Operation = std::function<void(TStringList&, int)>;
  const struct {
    const char* name;
    Operation operation;
  } operations[] = {
      {"LineAt", [](TStringList& list, int index) { (void)list.LineAt(index); }},
      {"SetLine", [](TStringList& list, int index) { list.SetLine(index, "new"); }},
      {"DeleteLine", [](TStringList& list, int index) { list.DeleteLine(index); }},
  };
  const struct {
    Lines lines;
    int index;
    const char* message;
  } cases[] = {
      {{"a", "b", "c"}, 3, "List index out of bounds (3)"},
      {{"a", "b", "c"}, -1, "List index out of bounds (-1)"},
      {{"a", "b", "c"}, 2147483647, "List index out of bounds (2147483647)"},
      {{"a", "b", "c"}, -2147483647 - 1, "List index out of bounds (-2147483648)"},
      {{}, 0, "List index out of bounds (0)"},
      {{""}, 1, "List index out of bounds (1)"},
  };
  for (const auto& operation : operations) {
    for (const auto& c : cases) {
      TStringList list = ListOf(c.lines);
      try {
        operation.operation(list, c.index);
        ADD_FAILURE() << operation.name << " accepted index " << c.index;
      } catch (const EStringListError& error) {
        EXPECT_STREQ(error.what(), c.message) << operation.name;
      }
      EXPECT_EQ(LinesOf(list), c.lines) << operation.name << " " << c.index;
    }
  }
}

TEST(TStringList, SplitIntoLinesReplacesAppendedLines) {
  TStringList list = ListOf({"x", "y"});
  list.SplitIntoLines("a\r\nb");
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
  list.SplitIntoLines("");
  EXPECT_EQ(list.LineCount(), 0);
}

// The count of lines holding a word is read once per new content and then
// kept by every change: asking on every fall tick costs nothing.
TEST(TStringList, WordLineCountIsKeptUntilTheLinesAreReplaced) {
  TStringList list;
  const struct {
    const char* step;
    std::function<void(TStringList&)> change;
    int words;
    int scans;
  } steps[] = {
      {"split", [](TStringList& l) { l.SplitIntoLines("a\r\n\r\n \t\x01\r\nb"); }, 2, 1},
      {"asked again", [](TStringList&) {}, 2, 1},
      {"blank set to a word", [](TStringList& l) { l.SetLine(1, "c"); }, 3, 1},
      {"word set to blank", [](TStringList& l) { l.SetLine(0, " "); }, 2, 1},
      {"word set to word", [](TStringList& l) { l.SetLine(1, "e"); }, 2, 1},
      {"word deleted", [](TStringList& l) { l.DeleteLine(3); }, 1, 1},
      {"blank deleted", [](TStringList& l) { l.DeleteLine(0); }, 1, 1},
      {"blank appended", [](TStringList& l) { l.AppendLine(""); }, 1, 1},
      {"word appended", [](TStringList& l) { l.AppendLine(" d "); }, 2, 1},
      {"replaced", [](TStringList& l) { l.SplitIntoLines("\r\n\r\n"); }, 0, 2},
  };
  for (const auto& step : steps) {
    step.change(list);
    EXPECT_EQ(list.WordLineCount(), step.words) << step.step;
    EXPECT_EQ(list.WordLineScans(), step.scans) << step.step;
  }
}

}  // namespace
}  // namespace zembrot
