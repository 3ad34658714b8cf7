#include "speech/language_element.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zembrot {
namespace {

struct ElementCase {
  const char* name;
  std::u16string text;
  std::optional<std::uint32_t> languageId;
  std::size_t length;  // 0: not an element, nothing stripped
  std::string voice;
};

class LanguageElementTest : public ::testing::TestWithParam<ElementCase> {};

TEST_P(LanguageElementTest, ReadsAndMeasuresTheElement) {
  const ElementCase& row = GetParam();
  const LanguageElement element = ParseLanguageElement(row.text);
  EXPECT_EQ(element.languageId, row.languageId);
  EXPECT_EQ(element.length, row.length);
  EXPECT_EQ(EspeakVoiceForLanguage(element.languageId), row.voice);
}

const ElementCase kElementCases[] = {
    // The game's own prefix: 25 characters, the word follows directly.
    {"GamePrefix", u" <LANG   LANGID= \"409 \"> apple", 0x409, 25, "en-us"},
    {"GamePrefixAlone", u" <LANG   LANGID= \"409 \"> ", 0x409, 25, "en-us"},
    {"BritishEnglish", u"<LANG LANGID=\"809\">colour", 0x809, 19, "en"},
    {"Mandarin", u"<LANG LANGID=\"804\">\u82F9\u679C", 0x804, 19, "cmn"},
    {"TraditionalChinese", u"<LANG LANGID=\"404\">x", 0x404, 19, "cmn"},
    {"AustralianEnglishFallsToEnglish", u"<LANG LANGID=\"C09\">x", 0xC09, 19, "en-us"},
    {"UnknownLanguageDefaultsToUsEnglish", u"<LANG LANGID=\"411\">x", 0x411, 19, "en-us"},
    {"LowerCaseAndSingleQuotes", u"<lang langid='804'>x", 0x804, 19, "cmn"},
    {"FourDigits", u"<LANG LANGID=\"0409\">apple", 0x409, 20, "en-us"},
    {"FourDigitsChinese", u"<LANG LANGID=\"0804\">x", 0x804, 20, "cmn"},
    {"FirstOfSeveralIdentifiers", u"<LANG LANGID=\"809;409\">x", 0x809, 23, "en"},
    {"NotHexStillStripped", u"<LANG LANGID=\"zz\">apple", std::nullopt, 18, "en-us"},
    {"EmptyIdentifierStillStripped", u"<LANG LANGID=\"\">apple", std::nullopt, 16, "en-us"},
    {"TooLongIdentifierStillStripped", u"<LANG LANGID=\"10409\">apple", std::nullopt, 21, "en-us"},
    {"Absent", u"apple", std::nullopt, 0, "en-us"},
    {"Empty", u"", std::nullopt, 0, "en-us"},
    {"NotClosed", u" <LANG   LANGID= \"409 \" apple", std::nullopt, 0, "en-us"},
    {"QuoteNotClosed", u"<LANG LANGID=\"409>apple", std::nullopt, 0, "en-us"},
    {"MismatchedQuotes", u"<LANG LANGID=\"409'>apple", std::nullopt, 0, "en-us"},
    {"NoQuotes", u"<LANG LANGID=409>apple", std::nullopt, 0, "en-us"},
    {"NoEqualsSign", u"<LANG LANGID \"409\">apple", std::nullopt, 0, "en-us"},
    {"OtherElementName", u"<LANGUAGE LANGID=\"804\">apple", std::nullopt, 0, "en-us"},
    {"OtherMarkupIsText", u"<b>apple</b>", std::nullopt, 0, "en-us"},
    {"ElementNotAtStart", u"apple <LANG LANGID=\"804\">", std::nullopt, 0, "en-us"},
};

INSTANTIATE_TEST_SUITE_P(Table, LanguageElementTest, ::testing::ValuesIn(kElementCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace zembrot
