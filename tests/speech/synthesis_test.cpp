// The real engines, synthesising into memory: no audio device is involved.
// flite speaks English, espeak-ng the rest; espeak-ng alone when flite's
// voice is not there.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/errors.h"
#include "speech/embedded_speech_server.h"

namespace zembrot {
namespace {

const std::u16string kPrefix = u" <LANG   LANGID= \"409 \"> ";

SpeechOptions EspeakOnly() {
  SpeechOptions options;
  options.englishVoice.clear();
  return options;
}

double Seconds(const SynthesizedSound& sound) {
  return static_cast<double>(sound.samples.size()) / sound.sampleRate;
}

double Rms(const SynthesizedSound& sound) {
  double sum = 0;
  for (short sample : sound.samples) sum += static_cast<double>(sample) * sample;
  return sound.samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(sound.samples.size()));
}

// Speech has pauses between syllables: a real word is loud in some parts
// and quiet in others, where a constant hum or a click is not.
double LoudShare(const SynthesizedSound& sound) {
  constexpr std::size_t kWindow = 320;
  std::size_t loud = 0, windows = 0;
  for (std::size_t start = 0; start + kWindow <= sound.samples.size(); start += kWindow, ++windows) {
    double sum = 0;
    for (std::size_t i = start; i < start + kWindow; ++i) sum += static_cast<double>(sound.samples[i]) * sound.samples[i];
    if (std::sqrt(sum / kWindow) > 500) ++loud;
  }
  return windows == 0 ? 0 : static_cast<double>(loud) / static_cast<double>(windows);
}

struct WordCase {
  const char* name;
  std::u16string text;
  SpeechOptions options;
  SpeechEngineKind engine;
  int sampleRate;
  double minSeconds;
  double maxSeconds;
};

class SpokenWordTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(SpokenWordTest, ComesOutAsAudibleSpeechOfAWordsLength) {
  const WordCase& row = GetParam();
  const SynthesizedSound sound = SynthesizeToMemory(row.text, row.options);
  EXPECT_EQ(sound.engine, row.engine);
  EXPECT_EQ(sound.sampleRate, row.sampleRate);
  EXPECT_GT(Seconds(sound), row.minSeconds);
  EXPECT_LT(Seconds(sound), row.maxSeconds);
  EXPECT_GT(Rms(sound), 300.0) << "the sound is (nearly) silent";
  EXPECT_GT(LoudShare(sound), 0.2) << "hardly any of it is loud";
  EXPECT_LT(LoudShare(sound), 0.98) << "no pause anywhere: not speech";
}

const WordCase kWordCases[] = {
    {"FliteApple", kPrefix + u"apple", {}, SpeechEngineKind::Flite, 16000, 0.3, 1.5},
    {"FliteChocolate", kPrefix + u"chocolate", {}, SpeechEngineKind::Flite, 16000, 0.4, 1.8},
    {"FliteBritishTomato", u"<LANG LANGID=\"809\">tomato", {}, SpeechEngineKind::Flite, 16000, 0.4, 1.8},
    {"FliteNoElement", u"rice", {}, SpeechEngineKind::Flite, 16000, 0.2, 1.5},
    {"FliteTwoWords", kPrefix + u"ice cream", {}, SpeechEngineKind::Flite, 16000, 0.5, 2.0},
    {"EspeakMandarin", u"<LANG LANGID=\"804\">\u82F9\u679C", {}, SpeechEngineKind::Espeak, 22050, 0.3, 2.0},
    {"EspeakTraditional", u"<LANG LANGID=\"404\">\u8336", {}, SpeechEngineKind::Espeak, 22050, 0.15, 1.5},
    {"EspeakOtherLanguage", u"<LANG LANGID=\"7F\">pear", {}, SpeechEngineKind::Espeak, 22050, 0.2, 1.5},
    {"EspeakEnglishWithoutFlite", kPrefix + u"apple", EspeakOnly(), SpeechEngineKind::Espeak, 22050, 0.2, 1.5},
    {"EspeakWhenFliteVoiceMissing", kPrefix + u"apple", {"", "zembrot_no_such_voice", "", false},
     SpeechEngineKind::Espeak, 22050, 0.2, 1.5},
};

INSTANTIATE_TEST_SUITE_P(Table, SpokenWordTest, ::testing::ValuesIn(kWordCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// Both engines: the language element is stripped, not spoken, and other
// markup is spoken as text.
TEST(SynthesisTest, LanguageElementIsStrippedAndOtherMarkupSpoken) {
  const SpeechOptions engines[] = {SpeechOptions{}, EspeakOnly()};
  for (const SpeechOptions& options : engines) {
    SCOPED_TRACE(options.englishVoice.empty() ? "espeak-ng" : "flite");
    const double plain = Seconds(SynthesizeToMemory(u"apple", options));
    const double prefixed = Seconds(SynthesizeToMemory(kPrefix + u"apple", options));
    // Spoken aloud, the element would add a second or more.
    EXPECT_NEAR(prefixed, plain, 0.15 * plain);
    EXPECT_GT(Seconds(SynthesizeToMemory(kPrefix + u"<b>apple</b>", options)), plain * 1.5);
  }
}

// espeak-ng carries a little state from one request to the next, so the
// same text comes out a few samples longer or shorter: compare lengths.
bool AboutAsLong(const SynthesizedSound& a, const SynthesizedSound& b, double tolerance = 0.02) {
  const auto longer = static_cast<double>(std::max(a.samples.size(), b.samples.size()));
  const auto shorter = static_cast<double>(std::min(a.samples.size(), b.samples.size()));
  return longer - shorter <= tolerance * longer;
}

TEST(SynthesisTest, EspeakLanguageElementChoosesTheVoice) {
  const SpeechOptions espeak = EspeakOnly();
  const SynthesizedSound us = SynthesizeToMemory(u"<LANG LANGID=\"409\">tomato", espeak);
  const SynthesizedSound unknown = SynthesizeToMemory(u"<LANG LANGID=\"7F\">tomato", espeak);
  const SynthesizedSound absent = SynthesizeToMemory(u"tomato", espeak);
  const SynthesizedSound british = SynthesizeToMemory(u"<LANG LANGID=\"809\">tomato", espeak);
  EXPECT_TRUE(AboutAsLong(unknown, us)) << "an unknown language is spoken as US English";
  EXPECT_TRUE(AboutAsLong(absent, us)) << "no element is spoken as US English";
  EXPECT_FALSE(AboutAsLong(british, us, 0.05)) << "British English says tomato differently";
}

TEST(SynthesisTest, StoppingEarlyLeavesNothingForTheNextRequest) {
  const SpeechOptions engines[] = {SpeechOptions{}, EspeakOnly()};
  for (const SpeechOptions& options : engines) {
    SCOPED_TRACE(options.englishVoice.empty() ? "espeak-ng" : "flite");
    const SynthesizedSound whole = SynthesizeToMemory(kPrefix + u"banana", options);
    std::size_t delivered = 0;
    const int rate = SynthesizeStreaming(
        kPrefix + u"apple",
        [&delivered](const short*, std::size_t count) {
          delivered += count;
          return false;
        },
        options);
    EXPECT_EQ(rate, whole.sampleRate);
    EXPECT_GT(delivered, 0u);
    EXPECT_TRUE(AboutAsLong(SynthesizeToMemory(kPrefix + u"banana", options), whole));
  }
}

TEST(SynthesisTest, SynthesisIsRepeatable) {
  const std::u16string texts[] = {kPrefix + u"apple", u"rice", u"\xD800 lone surrogate", kPrefix + u"caf\u00E9"};
  const SpeechOptions engines[] = {SpeechOptions{}, EspeakOnly()};
  for (const SpeechOptions& options : engines) {
    for (const std::u16string& text : texts) {
      SCOPED_TRACE(std::string(text.begin(), text.end()) + (options.englishVoice.empty() ? " espeak-ng" : " flite"));
      const SynthesizedSound first = SynthesizeToMemory(text, options);
      EXPECT_GT(Rms(first), 300.0);
      EXPECT_TRUE(AboutAsLong(SynthesizeToMemory(text, options), first));
    }
    const std::u16string silentTexts[] = {kPrefix, u""};
    for (const std::u16string& text : silentTexts) {
      EXPECT_LT(Seconds(SynthesizeToMemory(text, options)), 0.3) << "nothing to say takes no time";
    }
  }
}

}  // namespace
}  // namespace zembrot
