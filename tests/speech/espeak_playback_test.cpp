// The real espeak-ng engine through the speech component, playing to ALSA's
// silent "null" device so that no sound card is needed and none is heard.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "base/errors.h"
#include "speech/espeak_speech_server.h"
#include "speech/sp_voice.h"

namespace zembrot {
namespace {

const std::u16string kPrefix = u" <LANG   LANGID= \"409 \"> ";

EspeakOptions SilentDevice() {
  EspeakOptions options;
  options.audioDevice = "null";
  options.silentWithoutAudio = false;
  return options;
}

std::u16string LongText() {
  std::u16string text = kPrefix;
  for (int i = 0; i < 12; ++i) text += u"apple banana cherry date elderberry fig grape, ";
  return text;
}

TEST(EspeakPlaybackTest, SpeakReturnsBeforeTheSpeechEnds) {
  // Before playback takes the device, measure what the engine will have to do.
  const SynthesizedSound sound = SynthesizeToMemory(LongText(), SilentDevice());
  const double soundSeconds = static_cast<double>(sound.samples.size()) / sound.sampleRate;
  ASSERT_GT(soundSeconds, 10.0);

  TSpVoice voice(CreateEspeakSpeechServer(SilentDevice()));
  EXPECT_EQ(CurrentEspeakOutput(), EspeakOutput::NotStarted) << "nothing may connect before the first Speak";
  voice.Speak(kPrefix + u"apple", 1);  // connects
  WaitUntilSpeechDone();
  ASSERT_EQ(CurrentEspeakOutput(), EspeakOutput::Audio);

  const auto start = std::chrono::steady_clock::now();
  voice.Speak(LongText(), 1);
  const double returnSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Synthesising ten seconds of speech takes far longer than queueing it.
  EXPECT_TRUE(SpeechPending()) << "the engine had finished before Speak returned";
  EXPECT_LT(returnSeconds, soundSeconds / 10);
  WaitUntilSpeechDone();
  EXPECT_FALSE(SpeechPending());
}

TEST(EspeakPlaybackTest, RequestsQueueAndLaterOnesReuseTheEngine) {
  TSpVoice first(CreateEspeakSpeechServer(SilentDevice()));
  TSpVoice second(CreateEspeakSpeechServer(SilentDevice()));
  const std::int32_t a = first.Speak(kPrefix + u"pear", 1);
  const std::int32_t b = second.Speak(u"<LANG LANGID=\"804\">\u68A8", 1);
  const std::int32_t c = first.Speak(kPrefix + u"tea", 0);  // waits for all three
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_FALSE(SpeechPending());
}

TEST(EspeakPlaybackTest, MemorySynthesisIsRefusedWhilePlaybackHoldsTheDevice) {
  TSpVoice voice(CreateEspeakSpeechServer(SilentDevice()));
  voice.Speak(kPrefix + u"rice", 1);
  try {
    SynthesizeToMemory(u"rice", SilentDevice());
    FAIL() << "synthesis into memory succeeded while playing";
  } catch (const EOleSysError& error) {
    EXPECT_NE(error.Message().find("audio device"), std::string::npos) << error.Message();
  }
  EXPECT_NO_THROW(voice.Speak(kPrefix + u"rice", 1));
  WaitUntilSpeechDone();
}

}  // namespace
}  // namespace zembrot
