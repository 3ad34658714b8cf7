#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/code_page.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdlib>
#endif

namespace zembrot {
namespace {

struct RoundTripCase {
  const char* name;
  std::string utf8;
  std::string gbk;
};

class CodePageRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(CodePageRoundTrip, ConvertsBothWaysWithoutLoss) {
  const RoundTripCase& c = GetParam();
  EXPECT_EQ(Utf8ToCodePage(c.utf8), c.gbk);
  EXPECT_EQ(CodePageToUtf8(c.gbk), c.utf8);
  const std::u16string wide = CodePageToUtf16(c.gbk);
  EXPECT_EQ(Utf16ToCodePage(wide), c.gbk);
  EXPECT_EQ(CodePageToUtf8(Utf16ToCodePage(wide)), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageRoundTrip,
    testing::Values(RoundTripCase{"Empty", "", ""}, RoundTripCase{"Ascii", "apple, 1;2\r\n", "apple, 1;2\r\n"},
                    RoundTripCase{"Chinese", "苹果", "\xC6\xBB\xB9\xFB"},
                    RoundTripCase{"DefaultFileName", "食物.txt", "\xCA\xB3\xCE\xEF.txt"},
                    RoundTripCase{"Mixed", "tea,茶,绿茶", "tea,\xB2\xE8,\xC2\xCC\xB2\xE8"},
                    RoundTripCase{"FullWidthComma", "milk，牛奶", "milk\xA3\xAC\xC5\xA3\xC4\xCC"},
                    RoundTripCase{"Pinyin", "é", "\xA8\xA6"},
                    RoundTripCase{"GreekAndCyrillic", "ωΩёЁ", "\xA6\xD8\xA6\xB8\xA7\xD7\xA7\xA7"},
                    RoundTripCase{"ZeroByte", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<RoundTripCase>& tested) { return std::string(tested.param.name); });

struct LossyCase {
  const char* name;
  std::u16string wide;
  std::string gbk;
};

class Utf16ToCodePageLossy : public testing::TestWithParam<LossyCase> {};

TEST_P(Utf16ToCodePageLossy, ReplacesWhatTheCodePageLacksWithQuestionMark) {
  EXPECT_EQ(Utf16ToCodePage(GetParam().wide), GetParam().gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Utf16ToCodePageLossy,
    testing::Values(LossyCase{"Thai", u"a\u0E01b", "a?b"}, LossyCase{"Hangul", u"\uD55C", "?"},
                    LossyCase{"SharpS", u"\u00DF\u00DF", "??"},
                    LossyCase{"PairIsOneCharacter", u"x\U0001F600y", "x?y"},
                    LossyCase{"TwoPairs", u"\U0001F600\U0001F600", "??"},
                    LossyCase{"PairThenLoneLowSurrogate", u"\U0001F600\xDC00" u"x", "??x"},
                    LossyCase{"ThaiThenLoneLowSurrogate", u"\u0E01\xDC00" u"x", "??x"},
                    LossyCase{"LoneHighSurrogateKeepsNextCharacter", u"A\xD800" u"B", "A?B"},
                    LossyCase{"LoneHighSurrogateBeforeChinese", u"\xD800\u82F9", "?\xC6\xBB"},
                    LossyCase{"LoneLowSurrogate", u"A\xDC00" u"B", "A?B"},
                    LossyCase{"HighSurrogateAtEnd", u"A\xD800", "A?"},
                    LossyCase{"ReplacementCharacter", u"\uFFFD", "?"}),
    [](const testing::TestParamInfo<LossyCase>& tested) { return std::string(tested.param.name); });

struct LenientCase {
  const char* name;
  std::string gbk;
  std::u16string wide;
};

class CodePageToUtf16Lenient : public testing::TestWithParam<LenientCase> {};

TEST_P(CodePageToUtf16Lenient, TurnsJunkIntoReplacementCharacters) {
  EXPECT_EQ(CodePageToUtf16(GetParam().gbk), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CodePageToUtf16Lenient,
    testing::Values(LenientCase{"ByteFF", "a\xFF" "b", u"a\uFFFDb"},
                    LenientCase{"LeadByteAtEnd", "a\x81", u"a\uFFFD"},
                    LenientCase{"LeadByteBeforeSpace", "\x81 x", u"\uFFFD x"},
                    LenientCase{"LeadByteBeforeControl", "\xC6\x0A", u"\uFFFD\n"},
                    LenientCase{"ValidAfterJunk", "\xFF\xC6\xBB", u"\uFFFD\u82F9"},
                    LenientCase{"OnlyJunk", "\xFF\xFF\xFF", u"\uFFFD\uFFFD\uFFFD"}),
    [](const testing::TestParamInfo<LenientCase>& tested) { return std::string(tested.param.name); });

TEST(CodePageToUtf8, IsLenientToo) {
  EXPECT_EQ(CodePageToUtf8("a\xFF"), "a\xEF\xBF\xBD");
  EXPECT_EQ(CodePageToUtf8("\x81"), "\xEF\xBF\xBD");
}

TEST(Utf8ToCodePage, MalformedBytesBecomeQuestionMarks) {
  const struct {
    std::string utf8;
    std::string gbk;
  } cases[] = {
      {"\xC0\xAF", "??"},                   // overlong "/"
      {"a\xE8\x8B", "a??"},                 // cut short at the end
      {"\xED\xA0\x80", "???"},              // encoded surrogate
      {"\x80x", "?x"},                      // stray continuation byte
      {"\xF0\x9F\x98\x80", "?"},            // valid, but not in the code page
      {"\xE8\x8B\xB9\xFF", "\xC6\xBB?"},    // good character, then junk
      {"\xF0\x9F\x98\x80\xFF", "??"},        // a character GBK lacks, then junk
      {"\xF0\x9F\x98\x80\xE8\x8B", "???"},   // ... then a character cut short
      {"\xC3\x9F\xFF", "??"},                 // shorter characters GBK lacks, then junk
      {"\xE0\xB8\x81\x80", "??"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCodePage(c.utf8), c.gbk) << testing::PrintToString(c.utf8);
  }
}

TEST(CodePage, ConvertsLongTextsWholly) {
  // Longer than the converter's first output guess, so the buffer must grow.
  std::string utf8;
  std::string gbk;
  for (int i = 0; i < 5000; ++i) {
    utf8 += "苹果a";
    gbk += "\xC6\xBB\xB9\xFB" "a";
  }
  EXPECT_EQ(Utf8ToCodePage(utf8), gbk);
  EXPECT_EQ(CodePageToUtf8(gbk), utf8);
}

TEST(CodePage, LongTextsWithSomethingToReplaceKeepEverythingElse) {
  // 2000 times "苹果a": five bytes, three UTF-16 units, five UTF-8 bytes.
  std::string gbk;
  std::u16string wide;
  std::string utf8;
  for (int i = 0; i < 2000; ++i) {
    gbk += "\xC6\xBB\xB9\xFB" "a";
    wide += u"\u82F9\u679Ca";
    utf8 += "苹果a";
  }
  // Where something is put in: the start, just before, at and after 4096
  // bytes, and the end.
  for (int at : {0, 819, 820, 821, 2000}) {
    SCOPED_TRACE(at);
    const auto gbkAt = static_cast<std::size_t>(at) * 5;
    const auto wideAt = static_cast<std::size_t>(at) * 3;
    const auto utf8At = static_cast<std::size_t>(at) * 7;
    std::string badGbk = gbk;
    badGbk.insert(gbkAt, "\xFF\xAA\xA1,");  // no character, then a user-defined code
    std::u16string expectedWide = wide;
    expectedWide.insert(wideAt, u"\uFFFD\uFFFD\uFFFD,");
    EXPECT_EQ(CodePageToUtf16(badGbk), expectedWide);

    std::u16string emoji = wide;
    emoji.insert(wideAt, u"\U0001F600\xDC00");  // a pair, then a lone low surrogate
    std::string expectedGbk = gbk;
    expectedGbk.insert(gbkAt, "??");
    EXPECT_EQ(Utf16ToCodePage(emoji), expectedGbk);

    std::string badUtf8 = utf8;
    badUtf8.insert(utf8At, "\xE8\x8B");  // a character cut short
    std::string expectedFromUtf8 = gbk;
    expectedFromUtf8.insert(gbkAt, "??");
    EXPECT_EQ(Utf8ToCodePage(badUtf8), expectedFromUtf8);
  }
}

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

std::u16string Repeat(const std::u16string& text, int times) {
  std::u16string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

TEST(CodePage, LongTextsKeepTheirRulesThroughout) {
  // Tens of kilobytes, with characters of every length at every alignment
  // and replacements all the way through.
  EXPECT_EQ(Utf16ToCodePage(Repeat(u"\u82F9\u0E01a", 20000)), Repeat("\xC6\xBB?a", 20000));
  EXPECT_EQ(Utf16ToCodePage(u"a" + Repeat(u"\U0001F600\u82F9", 20000)), "a" + Repeat("?\xC6\xBB", 20000));
  EXPECT_EQ(Utf16ToUtf8(u"a" + Repeat(u"\U0001F600\xD800", 20000)),
            "a" + Repeat("\xF0\x9F\x98\x80\xEF\xBF\xBD", 20000));
  EXPECT_EQ(Utf8ToCodePage(Repeat("\xF0\x9F\x98\x80\xE8\x8B\xB9\x80", 20000)), Repeat("?\xC6\xBB?", 20000));
  EXPECT_EQ(CodePageToUtf16(Repeat("\xFF\xC6\xBB", 20000)), Repeat(u"\uFFFD\u82F9", 20000));
  EXPECT_EQ(CodePageToUtf8(Repeat("b\xC6\xBB", 30000) + "\x81"), Repeat("b\xE8\x8B\xB9", 30000) + "\xEF\xBF\xBD");
  EXPECT_TRUE(IsValidUtf8(Repeat("a\xE8\x8B\xB9\xF0\x9F\x98\x80", 20000)));
  EXPECT_FALSE(IsValidUtf8(Repeat("a\xE8\x8B\xB9", 20000) + "\xE8\x8B"));
  EXPECT_FALSE(IsValidUtf8(Repeat("abc", 20000) + "\xC0\xAF" + Repeat("abc", 20000)));
}

TEST(Utf16ToUtf8, UnpairedSurrogatesBecomeReplacementCharacters) {
  const struct {
    std::u16string wide;
    std::string utf8;
  } cases[] = {
      {u"", ""},
      {u"apple", "apple"},
      {u"\u00E9\u82F9", "\xC3\xA9\xE8\x8B\xB9"},               // two and three bytes
      {u"\U0001F600", "\xF0\x9F\x98\x80"},                      // a pair is one character
      {u"A\xD800" u"B", "A\xEF\xBF\xBD" "B"},                      // lone high surrogate
      {u"A\xDC00" u"B", "A\xEF\xBF\xBD" "B"},                      // lone low surrogate
      {u"\xDC00\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD"},              // pair in the wrong order
      {u"A\xD800", "A\xEF\xBF\xBD"},                              // high surrogate at the end
      {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16ToUtf8(c.wide), c.utf8) << testing::PrintToString(c.utf8);
  }
}

// FNV-1a over bytes: one number that stands for a whole conversion table.
class TableFingerprint {
 public:
  void Add(unsigned char byte) { value_ = (value_ ^ byte) * 0x100000001B3ULL; }
  std::uint64_t Value() const { return value_; }

 private:
  std::uint64_t value_ = 0xCBF29CE484222325ULL;
};

// The fingerprints below were taken from glibc's iconv GBK table: every
// platform must decode and encode every character the same way. (Windows's
// own table differs in the user-defined areas, which count as missing.)
TEST(CodePageToUtf16, EveryDoubleByteCodeDecodesAsOnEveryPlatform) {
  TableFingerprint fingerprint;
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string wide = CodePageToUtf16(std::string_view(pair, 2));
      if (wide.size() == 1 && wide[0] != u'\uFFFD') ++characters;
      for (char16_t unit : wide) {
        fingerprint.Add(static_cast<unsigned char>(unit & 0xFF));
        fingerprint.Add(static_cast<unsigned char>(unit >> 8));
      }
      fingerprint.Add(0);
      fingerprint.Add(0);
    }
  }
  EXPECT_EQ(characters, 21791);
  EXPECT_EQ(fingerprint.Value(), 0x5D82108E3A54ED92ULL);
}

TEST(Utf16ToCodePage, EveryCharacterOfTheBasicPlaneEncodesAsOnEveryPlatform) {
  TableFingerprint fingerprint;
  int characters = 0;
  for (char32_t code = 1; code <= 0xFFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    const char16_t unit = static_cast<char16_t>(code);
    const std::string bytes = Utf16ToCodePage(std::u16string_view(&unit, 1));
    if (bytes != "?" || unit == u'?') ++characters;
    for (char byte : bytes) fingerprint.Add(static_cast<unsigned char>(byte));
    fingerprint.Add(0);
  }
  EXPECT_EQ(characters, 21919);
  EXPECT_EQ(fingerprint.Value(), 0x00365975EBD880B3ULL);
}

TEST(CodePage, UserDefinedAreasAreNoCharacters) {
  // Windows maps these to the Private Use Area; iconv has nothing for them.
  EXPECT_EQ(CodePageToUtf16("\xAA\xA1"), u"\uFFFD\uFFFD");
  EXPECT_EQ(CodePageToUtf16("\xD7\xFA,"), u"\uFFFD\uFFFD,");
  EXPECT_EQ(CodePageToUtf16("\x80"), u"\u20AC");  // the euro sign is GBK's
  EXPECT_EQ(Utf16ToCodePage(u"\uE000\uE810x"), "??x");
  EXPECT_EQ(CodePageToUtf8("\xAA\xA1,\xC6\xBB"), "\xEF\xBF\xBD\xEF\xBF\xBD,\xE8\x8B\xB9");
}

TEST(IsValidUtf8, Table) {
  const struct {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"", true},
      {"plain ascii", true},
      {"苹果", true},
      {"\xF0\x9F\x98\x80", true},                // four bytes
      {"\xF4\x8F\xBF\xBF", true},                // U+10FFFF
      {"\xEF\xBB\xBF" "abc", true},              // byte-order mark
      {std::string("a\0b", 3), true},
      {"\xC0\xAF", false},                       // overlong two bytes
      {"\xC1\xBF", false},
      {"\xE0\x80\xAF", false},                   // overlong three bytes
      {"\xF0\x80\x80\xAF", false},               // overlong four bytes
      {"\xED\xA0\x80", false},                   // surrogate
      {"\xF4\x90\x80\x80", false},               // above U+10FFFF
      {"\xF5\x80\x80\x80", false},
      {"\xE8\x8B", false},                       // cut short
      {"\x80", false},                           // continuation alone
      {"\xE8\x8B\x41", false},                   // continuation missing
      {"\xFF", false},
      {"\xC6\xBB\xB9\xFB", false},               // GBK 苹果
      {"0123456789abcdef\xB9\xFB", false},       // after a long ASCII run
      {"01234567\x80", false},                   // right at a block edge
      {"0123456\xE8\x8B\xB9" "0123456789", true},  // character across a block edge
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
  }
}

TEST(CodePageCharLength, LeadByteTakesTheNextByteAlong) {
  const struct {
    std::string text;
    std::size_t position;
    std::size_t length;
  } cases[] = {
      {"a", 0, 1},           {"\xC6\xBB", 0, 2}, {"\xC6\xBB", 1, 1}, {"\xC6", 0, 1},
      {"\x81\x20", 0, 2},    {"\x80\x41", 0, 1}, {"\xFF\x41", 0, 1}, {"\xFE\x41", 0, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageCharLength(c.text, c.position), c.length)
        << testing::PrintToString(c.text) << " at " << c.position;
  }
}

TEST(FileName, CodePagePathBecomesUtf8FileNameAndBack) {
  const std::string gbk = "data/\xCA\xB3\xCE\xEF.txt";
  const std::filesystem::path name = CodePageToFileName(gbk);
#ifdef _WIN32
  EXPECT_EQ(name.native(), L"data/\u98DF\u7269.txt");  // whatever the system's code page
#else
  EXPECT_EQ(name.native(), "data/食物.txt");
#endif
  EXPECT_EQ(FileNameToCodePage(name), gbk);
#ifndef _WIN32
  // A file name that is not UTF-8 comes back byte for byte.
  EXPECT_EQ(FileNameToCodePage(std::filesystem::path("\xB9\xFB.txt")), "\xB9\xFB.txt");
#endif
}

#ifdef _WIN32
// The Windows check runs these tests in a Chinese and in an English system
// code page and names the one it meant in ZEMBROT_EXPECTED_ACP; every other
// test here must pass whichever it is.
TEST(SystemCodePage, IsTheOneTheRunAskedFor) {
  const char* expected = std::getenv("ZEMBROT_EXPECTED_ACP");
  if (expected == nullptr) GTEST_SKIP() << "ZEMBROT_EXPECTED_ACP is not set";
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::strtoul(expected, nullptr, 10)));
}
#endif

}  // namespace
}  // namespace zembrot
