#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/convert.h"
#include "content/string_collection.h"
#include "content/string_list.h"
#include "lines_of.h"

namespace zembrot {
namespace {

using testing_lines::Lines;
using testing_lines::LinesOf;

struct SplitCase {
  const char* name;
  std::string text;
  Lines lines;
};

class SplitIntoLinesRule : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitIntoLinesRule, GivesTheseLines) {
  TStringList list;
  list.AppendLine("old line");
  list.SplitIntoLines(GetParam().text);
  EXPECT_EQ(LinesOf(list), GetParam().lines);
}

const std::string kNul(1, '\0');

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SplitIntoLinesRule,
    testing::Values(
        SplitCase{"Empty", "", {}},
        SplitCase{"OneLineWithoutEnd", "apple,x", {"apple,x"}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
        SplitCase{"LoneLf", "a\nb\n", {"a", "b"}},
        SplitCase{"MixedEnds", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        SplitCase{"LfCrIsOneEndAndAnEmptyLine", "a\n\rb", {"a", "", "b"}},
        SplitCase{"CrCrIsTwoEnds", "a\r\rb", {"a", "", "b"}},
        SplitCase{"LfLfIsTwoEnds", "a\n\nb", {"a", "", "b"}},
        SplitCase{"CrLfCrLfBetweenLines", "a\r\n\r\nb", {"a", "", "b"}},
        SplitCase{"OnlyCrLf", "\r\n", {""}},
        SplitCase{"OnlyTwoCrLf", "\r\n\r\n", {"", ""}},
        SplitCase{"OnlyCr", "\r", {""}},
        SplitCase{"OnlyLf", "\n", {""}},
        SplitCase{"OnlyLfCr", "\n\r", {"", ""}},
        SplitCase{"TwoEndsAtEndAddOneEmptyLine", "pear\r\n\r\n", {"pear", ""}},
        SplitCase{"LeadingEmptyLine", "\r\npear", {"", "pear"}},
        SplitCase{"SpacesStay", " ice cream , x ", {" ice cream , x "}},
        SplitCase{"OnlyNul", kNul, {}},
        SplitCase{"NulEndsTheText", "a" + kNul + "b\r\nc", {"a"}},
        SplitCase{"NulRightAfterLineEndAddsNoLine", "a\r\n" + kNul + "b", {"a"}},
        SplitCase{"NulAfterEmptyLine", "a\r\n\r\n" + kNul, {"a", ""}},
        SplitCase{"NulAfterLoneCr", "a\r" + kNul + "\nb", {"a"}},
        SplitCase{"NulAtStartDropsEverything", kNul + "a\r\nb", {}},
        SplitCase{"NulInsideSecondLine", "a\nbc" + kNul + "d\ne", {"a", "bc"}},
        SplitCase{"OtherControlBytesStay", "a\tb\x01\x1A\x7F", {"a\tb\x01\x1A\x7F"}},
        SplitCase{"GbkBytesStay", "\xC6\xBB\xB9\xFB\r\n\xB2\xE8", {"\xC6\xBB\xB9\xFB", "\xB2\xE8"}},
        SplitCase{"CrOnlyFileOfManyLines", "a\rb\rc\rd\re", {"a", "b", "c", "d", "e"}}),
    [](const testing::TestParamInfo<SplitCase>& tested) { return std::string(tested.param.name); });

TEST(SplitIntoLines, PearWithAndWithoutLineEndGiveTheSameList) {
  TStringList withEnd;
  TStringList withoutEnd;
  withEnd.SplitIntoLines("apple,\xC6\xBB\xB9\xFB\r\npear,\xC0\xE6\r\n");
  withoutEnd.SplitIntoLines("apple,\xC6\xBB\xB9\xFB\r\npear,\xC0\xE6");
  EXPECT_EQ(LinesOf(withEnd), LinesOf(withoutEnd));
  EXPECT_EQ(withEnd.LineCount(), 2);
}

TEST(SplitIntoLines, LongLinesAndManyLinesSurvive) {
  const std::string longLine(100000, 'x');
  std::string text;
  for (int i = 0; i < 1000; ++i) text += (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  TStringList list;
  list.SplitIntoLines(longLine + "\r\n" + text + longLine);
  // The long line, a thousand empty lines, the long line again.
  ASSERT_EQ(list.LineCount(), 1002);
  EXPECT_EQ(list.LineAt(0), longLine);
  EXPECT_EQ(list.LineAt(500), "");
  EXPECT_EQ(list.LineAt(1000), "");
  EXPECT_EQ(list.LineAt(1001), longLine);
}

// The game divides a practice line at its first comma and trims both parts.
struct DivisionCase {
  const char* name;
  std::string line;
  std::string english;
  std::string chinese;
};

class PracticeLineDivision : public testing::TestWithParam<DivisionCase> {};

TEST_P(PracticeLineDivision, GivesEnglishAndChineseText) {
  const TStringCollection helpers;
  const DivisionCase& c = GetParam();
  EXPECT_EQ(Trim(helpers.TextBefore(",", c.line, 0)), c.english);
  EXPECT_EQ(Trim(helpers.TextAfter(",", c.line, 0)), c.chinese);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PracticeLineDivision,
    testing::Values(
        DivisionCase{"Plain", "apple,\xC6\xBB\xB9\xFB", "apple", "\xC6\xBB\xB9\xFB"},
        DivisionCase{"SpacesAroundComma", " ice cream , \xB1\xF9\xE4\xBF\xC1\xDC ", "ice cream",
                     "\xB1\xF9\xE4\xBF\xC1\xDC"},
        DivisionCase{"FurtherCommasBelongToChinese", "tea,\xB2\xE8,\xC2\xCC\xB2\xE8", "tea",
                     "\xB2\xE8,\xC2\xCC\xB2\xE8"},
        DivisionCase{"NoComma", "bread", "bread", ""},
        DivisionCase{"FullWidthCommaIsNoSeparator", "milk\xA3\xAC\xC5\xA3\xC4\xCC",
                     "milk\xA3\xAC\xC5\xA3\xC4\xCC", ""},
        DivisionCase{"OnlyComma", ",", "", ""},
        DivisionCase{"Empty", "", "", ""},
        DivisionCase{"TabsAndControlBytesTrimmed", "\tegg\x01,\x1F\xB5\xB0 \t", "egg", "\xB5\xB0"},
        DivisionCase{"FullWidthSpaceIsKept", "\xA1\xA1rice,\xC3\xD7\xA1\xA1", "\xA1\xA1rice",
                     "\xC3\xD7\xA1\xA1"},
        DivisionCase{"Utf8MarkIsNotTrimmed", "\xEF\xBB\xBF" "apple,x", "\xEF\xBB\xBF" "apple", "x"}),
    [](const testing::TestParamInfo<DivisionCase>& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace zembrot
