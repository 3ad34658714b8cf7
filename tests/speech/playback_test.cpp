// The real engines through the speech component, playing to ALSA's silent
// "null" device so that no sound card is needed and none is heard.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "base/errors.h"
#include "speech/embedded_speech_server.h"
#include "speech/sp_voice.h"
#include "speech/speech_worker.h"

namespace zembrot {
namespace {

const std::u16string kPrefix = u" <LANG   LANGID= \"409 \"> ";

SpeechOptions SilentDevice() {
  SpeechOptions options;
  options.audioDevice = "null";
  options.silentWithoutAudio = false;
  return options;
}

std::u16string LongText() {
  std::u16string text = kPrefix;
  for (int i = 0; i < 12; ++i) text += u"apple banana cherry date elderberry fig grape, ";
  return text;
}

TEST(PlaybackTest, SpeakReturnsBeforeTheSpeechEnds) {
  const SynthesizedSound sound = SynthesizeToMemory(LongText(), SilentDevice());
  const double soundSeconds = static_cast<double>(sound.samples.size()) / sound.sampleRate;
  ASSERT_GT(soundSeconds, 10.0);

  TSpVoice voice(CreateEmbeddedSpeechServer(SilentDevice()));
  EXPECT_EQ(CurrentSpeechOutput(), SpeechOutput::NotStarted) << "nothing may connect before the first Speak";
  voice.Speak(kPrefix + u"apple", 1);  // connects
  WaitUntilSpeechDone();
  ASSERT_EQ(CurrentSpeechOutput(), SpeechOutput::Audio);

  const auto start = std::chrono::steady_clock::now();
  voice.Speak(LongText(), 1);
  const double returnSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Playing ten seconds of speech takes far longer than queueing it.
  EXPECT_TRUE(SpeechPending()) << "the engine had finished before Speak returned";
  EXPECT_LT(returnSeconds, soundSeconds / 10);
  WaitUntilSpeechDone();
  EXPECT_FALSE(SpeechPending());
}

TEST(PlaybackTest, EachLanguageIsPlayedByItsEngineInOrder) {
  TSpVoice first(CreateEmbeddedSpeechServer(SilentDevice()));
  TSpVoice second(CreateEmbeddedSpeechServer(SilentDevice()));
  struct Step {
    TSpVoice& voice;
    std::u16string text;
    std::uint32_t flags;
    SpeechEngineKind engine;
  };
  const Step steps[] = {
      {first, kPrefix + u"pear", 0, SpeechEngineKind::Flite},
      {second, u"<LANG LANGID=\"804\">\u68A8", 0, SpeechEngineKind::Espeak},
      {first, kPrefix + u"tea", 0, SpeechEngineKind::Flite},
      {second, u"<LANG LANGID=\"809\">tea", 0, SpeechEngineKind::Flite},
  };
  std::int32_t previous = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.text.begin(), step.text.end()));
    const std::int32_t stream = step.voice.Speak(step.text, step.flags);  // waits: flags 0
    EXPECT_LT(previous, stream);
    previous = stream;
    EXPECT_EQ(LastSpeakingEngine(), step.engine);
  }
  // Queued requests of both engines, switching the device's rate each
  // time, all finish.
  first.Speak(kPrefix + u"rice", 1);
  second.Speak(u"<LANG LANGID=\"804\">\u7C73", 1);
  first.Speak(kPrefix + u"milk", 1);
  WaitUntilSpeechDone();
  EXPECT_FALSE(SpeechPending());
  EXPECT_EQ(LastSpeakingEngine(), SpeechEngineKind::Flite);
}

TEST(PlaybackTest, MemorySynthesisWorksWhilePlaybackHoldsTheDevice) {
  TSpVoice voice(CreateEmbeddedSpeechServer(SilentDevice()));
  voice.Speak(kPrefix + u"rice", 1);
  const SpeechOptions engines[] = {SpeechOptions{}, SpeechOptions{"", "", "", false}};
  for (const SpeechOptions& options : engines) {
    EXPECT_GT(SynthesizeToMemory(u"rice", options).samples.size(), 1000u);
  }
  EXPECT_NO_THROW(voice.Speak(kPrefix + u"rice", 1));
  WaitUntilSpeechDone();
}

TEST(SpeechWorkerTest, CallWhoseTaskIsDroppedFailsInsteadOfWaitingForEver) {
  SpeechWorker worker;
  std::promise<void> started;
  std::promise<void> release;
  worker.Post([&started, released = release.get_future().share()] {
    started.set_value();
    released.wait();
  });
  started.get_future().wait();
  std::future<EngineResult> call =
      std::async(std::launch::async, [&worker] { return worker.Call([] { return EngineResult{}; }); });
  // The thread is held by the first task, so the call's task cannot have run
  // when a drop after its posting takes it away.
  for (int tries = 0; tries < 5000; ++tries) {
    worker.DropWaiting();
    if (call.wait_for(std::chrono::milliseconds(1)) == std::future_status::ready) break;
  }
  release.set_value();
  ASSERT_EQ(call.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  const EngineResult result = call.get();
  EXPECT_EQ(result.code, E_FAIL_RESULT);
  EXPECT_EQ(result.description, "The speech request was dropped before it ran");
}

}  // namespace
}  // namespace zembrot
