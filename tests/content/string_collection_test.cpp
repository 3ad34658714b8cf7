#include <gtest/gtest.h>

#include <string>

#include "content/string_collection.h"

namespace zembrot {
namespace {

const std::string kApple = "\xC6\xBB\xB9\xFB";  // 苹果
const std::string kTea = "\xB2\xE8";            // 茶
const std::string kGreen = "\xC2\xCC";          // 绿

struct UpperCase {
  const char* name;
  std::string text;
  std::string upper;
};

class UpperText : public testing::TestWithParam<UpperCase> {};

TEST_P(UpperText, UpperCasesLettersInPlace) {
  const TStringCollection helpers;
  const std::string result = helpers.UpperText(GetParam().text);
  EXPECT_EQ(result, GetParam().upper);
  EXPECT_EQ(result.size(), GetParam().text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UpperText,
    testing::Values(
        UpperCase{"Empty", "", ""}, UpperCase{"Ascii", "apple", "APPLE"},
        UpperCase{"ChineseStays", kApple + "apple", kApple + "APPLE"},
        UpperCase{"AsciiEdges", "`az{@AZ[", "`AZ{@AZ["},
        UpperCase{"DigitsAndPunctuation", "a1;b2,c3", "A1;B2,C3"},
        UpperCase{"FullWidthLatin", "\xA3\xE1\xA3\xFA\xA3\xE0\xA3\xFB", "\xA3\xC1\xA3\xDA\xA3\xE0\xA3\xFB"},
        UpperCase{"FullWidthCapitalsStay", "\xA3\xC1\xA3\xDA", "\xA3\xC1\xA3\xDA"},
        UpperCase{"Greek", "\xA6\xC1\xA6\xD8\xA6\xC0\xA6\xD9", "\xA6\xA1\xA6\xB8\xA6\xC0\xA6\xD9"},
        UpperCase{"Cyrillic", "\xA7\xD1\xA7\xD7\xA7\xF1\xA7\xD0\xA7\xF2", "\xA7\xA1\xA7\xA7\xA7\xC1\xA7\xD0\xA7\xF2"},
        UpperCase{"SmallLetterOfOtherBlockStays", "\xA8\xA6", "\xA8\xA6"},  // pinyin é
        UpperCase{"TrailByteInAToZIsNoLetter", "\x81\x61\x81\x7A" "a", "\x81\x61\x81\x7A" "A"},
        UpperCase{"LeadByteTakesAsciiLetterAlong", "\xC6" "abc", "\xC6" "aBC"},
        UpperCase{"LoneLeadByteAtEnd", "a\xC6", "A\xC6"},
        UpperCase{"ByteFFIsSingle", "\xFF" "a", "\xFF" "A"},
        UpperCase{"ZeroByteInside", std::string("a\0b", 3), std::string("A\0B", 3)}),
    [](const testing::TestParamInfo<UpperCase>& tested) { return std::string(tested.param.name); });

struct SearchCase {
  const char* name;
  std::string sub;
  std::string text;
  int from;
  bool ignoreCase;
  int position;
};

class Search : public testing::TestWithParam<SearchCase> {};

TEST_P(Search, FindsTheFirstOccurrenceAtOrAfterFrom) {
  const TStringCollection helpers;
  const SearchCase& c = GetParam();
  EXPECT_EQ(helpers.Search(c.sub, c.text, c.from, c.ignoreCase), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, Search,
    testing::Values(
        SearchCase{"CommaInPracticeLine", ",", "apple," + kApple, 0, false, 6},
        SearchCase{"CaseMatters", "PL", "apple", 0, false, 0},
        SearchCase{"IgnoreCase", "PL", "apple", 0, true, 3},
        SearchCase{"FromOnTheMatch", "p", "apple", 3, false, 3},
        SearchCase{"FromAfterTheOnlyMatch", "a", "apple", 2, false, 0},
        SearchCase{"FromBeyondTheEnd", "p", "apple", 9, false, 0},
        SearchCase{"EmptySub", "", "apple", 0, false, 0},
        SearchCase{"EmptyText", "x", "", 0, true, 0},
        // Further cases around the same rules.
        SearchCase{"FromOneIsFromZero", "a", "apple", 1, false, 1},
        SearchCase{"FromOnTheLastByte", "e", "apple", 5, false, 5},
        SearchCase{"FromJustBeyondTheEnd", "e", "apple", 6, false, 0},
        SearchCase{"NegativeFromIsFromZero", "p", "apple", -5, false, 2},
        SearchCase{"MostNegativeFrom", "e", "apple", -2147483647 - 1, true, 5},
        SearchCase{"LargestFrom", "e", "apple", 2147483647, false, 0},
        SearchCase{"IgnoreCaseWithFrom", "PL", "apple", 2, true, 3},
        SearchCase{"IgnoreCaseMissesBeforeFrom", "A", "apple", 2, true, 0},
        SearchCase{"SubLongerThanText", "apples", "apple", 0, false, 0},
        SearchCase{"SubEqualsText", "apple", "apple", 0, false, 1},
        SearchCase{"EmptySubWithFrom", "", "apple", 2, true, 0},
        SearchCase{"SecondOfTwoSeparators", ",", "a,b,c", 3, false, 4},
        SearchCase{"ByteSearchFindsTrailByte", "a", "\x81" "a", 0, false, 2},
        SearchCase{"IgnoreCaseLeavesTrailByte", "A", "\x81" "a", 0, true, 0},
        SearchCase{"IgnoreCaseFullWidth", "\xA3\xC1", "x\xA3\xE1", 0, true, 2},
        SearchCase{"FromOnTrailByteReadsItAlone", "A", "\x81" "a", 2, true, 2},
        SearchCase{"GbkSubFromInsideFirstOccurrence", kTea, "tea," + kTea + "," + kGreen + kTea, 6, false, 10}),
    [](const testing::TestParamInfo<SearchCase>& tested) { return std::string(tested.param.name); });

struct DivideCase {
  const char* name;
  std::string sep;
  std::string text;
  int from;
  std::string after;
  std::string before;
};

class TextAfterAndBefore : public testing::TestWithParam<DivideCase> {};

TEST_P(TextAfterAndBefore, DivideAtTheFirstSeparator) {
  const TStringCollection helpers;
  const DivideCase& c = GetParam();
  EXPECT_EQ(helpers.TextAfter(c.sep, c.text, c.from), c.after);
  EXPECT_EQ(helpers.TextBefore(c.sep, c.text, c.from), c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, TextAfterAndBefore,
    testing::Values(
        DivideCase{"PracticeLine", ",", "apple," + kApple, 0, kApple, "apple"},
        DivideCase{"FurtherCommasStayAfter", ",", "tea," + kTea + "," + kGreen + kTea, 0,
                   kTea + "," + kGreen + kTea, "tea"},
        DivideCase{"NoSeparator", ",", "bread", 0, "", "bread"},
        DivideCase{"SeparatorAtEnd", ",", "apple,", 0, "", "apple"},
        DivideCase{"SeparatorAtStart", ",", ",apple", 0, "apple", ""},
        DivideCase{"SeveralBytes", "::", "a::b::c", 0, "b::c", "a"},
        DivideCase{"EmptySeparator", "", "abc", 0, "", "abc"},
        DivideCase{"FromOnSecondComma", ",", "a,b,c", 3, "c", "a,b"},
        DivideCase{"TallyEntry", ";", kApple + "apple;3", 0, "3", kApple + "apple"},
        // Further cases around the same rules.
        DivideCase{"SpacesStay", ",", " ice cream , x ", 0, " x ", " ice cream "},
        DivideCase{"EmptyText", ",", "", 0, "", ""},
        DivideCase{"OnlySeparator", ",", ",", 0, "", ""},
        DivideCase{"SeparatorIsWholeText", "::", "::", 0, "", ""},
        DivideCase{"SeparatorLongerThanText", "abcd", "abc", 0, "", "abc"},
        DivideCase{"PartOfSeparatorOnly", "::", "a:b", 0, "", "a:b"},
        DivideCase{"FromBeyondEnd", ",", "a,b", 9, "", "a,b"},
        DivideCase{"FromAfterLastSeparator", ",", "a,b,c", 5, "", "a,b,c"},
        DivideCase{"NegativeFromIsFromZero", ",", "a,b,c", -1, "b,c", "a"},
        DivideCase{"FullWidthCommaIsNoSeparator", ",", "milk\xA3\xAC\xC5\xA3", 0, "", "milk\xA3\xAC\xC5\xA3"},
        DivideCase{"DoubleSemicolon", ";", "a;b;2", 0, "b;2", "a"}),
    [](const testing::TestParamInfo<DivideCase>& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace zembrot
