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
  SpeechEngineKind engine;
};

constexpr SpeechEngineKind kFlite = SpeechEngineKind::Flite;
constexpr SpeechEngineKind kEspeak = SpeechEngineKind::Espeak;

class LanguageElementTest : public ::testing::TestWithParam<ElementCase> {};

TEST_P(LanguageElementTest, ReadsAndMeasuresTheElement) {
  const ElementCase& row = GetParam();
  const LanguageElement element = ParseLanguageElement(row.text);
  EXPECT_EQ(element.languageId, row.languageId);
  EXPECT_EQ(element.length, row.length);
  EXPECT_EQ(EspeakVoiceForLanguage(element.languageId), row.voice);
  EXPECT_EQ(EngineForLanguage(element.languageId), row.engine);
}

const ElementCase kElementCases[] = {
    // The game's own prefix: 25 characters, the word follows directly.
    {"GamePrefix", u" <LANG   LANGID= \"409 \"> apple", 0x409, 25, "en-us", kFlite},
    {"GamePrefixAlone", u" <LANG   LANGID= \"409 \"> ", 0x409, 25, "en-us", kFlite},
    {"BritishEnglish", u"<LANG LANGID=\"809\">colour", 0x809, 19, "en", kFlite},
    {"Mandarin", u"<LANG LANGID=\"804\">\u82F9\u679C", 0x804, 19, "cmn", kEspeak},
    {"TraditionalChinese", u"<LANG LANGID=\"404\">x", 0x404, 19, "cmn", kEspeak},
    {"AustralianEnglishFallsToEnglish", u"<LANG LANGID=\"C09\">x", 0xC09, 19, "en-us", kFlite},
    {"UnknownLanguageDefaultsToUsEnglish", u"<LANG LANGID=\"411\">x", 0x411, 19, "en-us", kEspeak},
    {"LowerCaseAndSingleQuotes", u"<lang langid='804'>x", 0x804, 19, "cmn", kEspeak},
    {"FourDigits", u"<LANG LANGID=\"0409\">apple", 0x409, 20, "en-us", kFlite},
    {"FourDigitsChinese", u"<LANG LANGID=\"0804\">x", 0x804, 20, "cmn", kEspeak},
    {"FirstOfSeveralIdentifiers", u"<LANG LANGID=\"809;409\">x", 0x809, 23, "en", kFlite},
    {"NotHexStillStripped", u"<LANG LANGID=\"zz\">apple", std::nullopt, 18, "en-us", kFlite},
    {"EmptyIdentifierStillStripped", u"<LANG LANGID=\"\">apple", std::nullopt, 16, "en-us", kFlite},
    {"TooLongIdentifierStillStripped", u"<LANG LANGID=\"10409\">apple", std::nullopt, 21, "en-us", kFlite},
    {"Absent", u"apple", std::nullopt, 0, "en-us", kFlite},
    {"Empty", u"", std::nullopt, 0, "en-us", kFlite},
    {"NotClosed", u" <LANG   LANGID= \"409 \" apple", std::nullopt, 0, "en-us", kFlite},
    {"QuoteNotClosed", u"<LANG LANGID=\"409>apple", std::nullopt, 0, "en-us", kFlite},
    {"MismatchedQuotes", u"<LANG LANGID=\"409'>apple", std::nullopt, 0, "en-us", kFlite},
    {"NoQuotes", u"<LANG LANGID=409>apple", std::nullopt, 0, "en-us", kFlite},
    {"NoEqualsSign", u"<LANG LANGID \"409\">apple", std::nullopt, 0, "en-us", kFlite},
    {"OtherElementName", u"<LANGUAGE LANGID=\"804\">apple", std::nullopt, 0, "en-us", kFlite},
    {"OtherMarkupIsText", u"<b>apple</b>", std::nullopt, 0, "en-us", kFlite},
    {"SingaporeChinese", u"<LANG LANGID=\"1004\">x", 0x1004, 20, "cmn", kEspeak},
    {"French", u"<LANG LANGID=\"40C\">x", 0x40C, 19, "en-us", kEspeak},
    {"InvariantLanguage", u"<LANG LANGID=\"7F\">x", 0x7F, 18, "en-us", kEspeak},
    {"CanadianEnglish", u"<LANG LANGID=\"1009\">x", 0x1009, 20, "en-us", kFlite},
    {"ElementNotAtStart", u"apple <LANG LANGID=\"804\">", std::nullopt, 0, "en-us", kFlite},
};

INSTANTIATE_TEST_SUITE_P(Table, LanguageElementTest, ::testing::ValuesIn(kElementCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace zembrot
