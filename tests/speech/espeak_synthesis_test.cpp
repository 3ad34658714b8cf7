// The real espeak-ng engine, synthesising into memory: no audio device is
// involved.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/errors.h"
#include "speech/espeak_speech_server.h"

namespace zembrot {
namespace {

const std::u16string kPrefix = u" <LANG   LANGID= \"409 \"> ";

double Seconds(const SynthesizedSound& sound) {
  return static_cast<double>(sound.samples.size()) / sound.sampleRate;
}

double Rms(const SynthesizedSound& sound) {
  double sum = 0;
  for (short sample : sound.samples) sum += static_cast<double>(sample) * sample;
  return sound.samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(sound.samples.size()));
}

TEST(EspeakSynthesisTest, TheGamesTextForAppleSoundsLikeOneWord) {
  const SynthesizedSound sound = SynthesizeToMemory(kPrefix + u"apple");
  ASSERT_GT(sound.sampleRate, 8000);
  EXPECT_GT(Seconds(sound), 0.2);
  EXPECT_LT(Seconds(sound), 2.0);
  EXPECT_GT(Rms(sound), 300.0) << "the sound is (nearly) silent";
}

TEST(EspeakSynthesisTest, LanguageElementIsStrippedNotSpoken) {
  const double plain = Seconds(SynthesizeToMemory(u"apple"));
  const double prefixed = Seconds(SynthesizeToMemory(kPrefix + u"apple"));
  // Spoken aloud, the element would add a second or more.
  EXPECT_NEAR(prefixed, plain, 0.15 * plain);
}

TEST(EspeakSynthesisTest, OtherMarkupIsSpokenAsText) {
  const double plain = Seconds(SynthesizeToMemory(kPrefix + u"apple"));
  const double marked = Seconds(SynthesizeToMemory(kPrefix + u"<b>apple</b>"));
  EXPECT_GT(marked, plain * 1.5);
}

// espeak-ng carries a little state from one request to the next, so the
// same text comes out a few samples longer or shorter: compare lengths.
bool AboutAsLong(const SynthesizedSound& a, const SynthesizedSound& b, double tolerance = 0.02) {
  const auto longer = static_cast<double>(std::max(a.samples.size(), b.samples.size()));
  const auto shorter = static_cast<double>(std::min(a.samples.size(), b.samples.size()));
  return longer - shorter <= tolerance * longer;
}

TEST(EspeakSynthesisTest, LanguageElementChoosesTheVoice) {
  const SynthesizedSound us = SynthesizeToMemory(u"<LANG LANGID=\"409\">tomato");
  const SynthesizedSound unknown = SynthesizeToMemory(u"<LANG LANGID=\"7F\">tomato");
  const SynthesizedSound absent = SynthesizeToMemory(u"tomato");
  const SynthesizedSound british = SynthesizeToMemory(u"<LANG LANGID=\"809\">tomato");
  const SynthesizedSound mandarin = SynthesizeToMemory(u"<LANG LANGID=\"804\">\u82F9\u679C");
  EXPECT_TRUE(AboutAsLong(unknown, us)) << "an unknown language is spoken as US English";
  EXPECT_TRUE(AboutAsLong(absent, us)) << "no element is spoken as US English";
  EXPECT_FALSE(AboutAsLong(british, us, 0.05)) << "British English says tomato differently";
  EXPECT_GT(Seconds(mandarin), 0.2);
  EXPECT_GT(Rms(mandarin), 300.0);
}

TEST(EspeakSynthesisTest, StoppingEarlyLeavesNothingForTheNextRequest) {
  const SynthesizedSound whole = SynthesizeToMemory(kPrefix + u"banana");
  std::size_t delivered = 0;
  const int rate = SynthesizeStreaming(kPrefix + u"apple", [&delivered](const short*, std::size_t count) {
    delivered += count;
    return false;
  });
  EXPECT_EQ(rate, whole.sampleRate);
  EXPECT_GT(delivered, 0u);
  EXPECT_TRUE(AboutAsLong(SynthesizeToMemory(kPrefix + u"banana"), whole));
}

TEST(EspeakSynthesisTest, SynthesisIsRepeatable) {
  const std::u16string texts[] = {kPrefix + u"apple", u"rice", u"\xD800 lone surrogate"};
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(std::string(text.begin(), text.end()));
    const SynthesizedSound first = SynthesizeToMemory(text);
    EXPECT_GT(Rms(first), 300.0);
    EXPECT_TRUE(AboutAsLong(SynthesizeToMemory(text), first));
  }
  const std::u16string silentTexts[] = {kPrefix, u""};
  for (const std::u16string& text : silentTexts) {
    EXPECT_LT(Seconds(SynthesizeToMemory(text)), 0.2) << "nothing to say takes no time";
  }
}

}  // namespace
}  // namespace zembrot
