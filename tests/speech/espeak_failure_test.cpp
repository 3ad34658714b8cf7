// The real espeak-ng engine set up to fail: voice data missing, then an
// audio device that does not exist. espeak-ng keeps its first audio device
// for the whole process, so the steps share this one test and run in order.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/errors.h"
#include "speech/espeak_speech_server.h"
#include "speech/sp_voice.h"

namespace zembrot {
namespace {

const std::u16string kApple = u" <LANG   LANGID= \"409 \"> apple";

std::string SpeakError(TSpVoice& voice) {
  try {
    voice.Speak(kApple, 1);
  } catch (const EOleSysError& error) {
    EXPECT_LT(error.ErrorCode(), 0);
    return error.Message();
  }
  return {};
}

TEST(EspeakFailureTest, SetUpFailuresAreClearAndRetriedUntilTheyPass) {
  const std::filesystem::path emptyData =
      std::filesystem::temp_directory_path() / ("zembrot-no-voice-data-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(emptyData);

  struct Step {
    const char* name;
    EspeakOptions options;
    std::string errorStart;  // empty: the Speak succeeds
    EspeakOutput outputAfter;
  };
  const Step steps[] = {
      {"voice data missing", {emptyData.string(), "zembrot-no-such-device", false},
       "Cannot load the speech engine's voice data: ", EspeakOutput::NotStarted},
      {"voice data missing again", {emptyData.string(), "zembrot-no-such-device", false},
       "Cannot load the speech engine's voice data: ", EspeakOutput::NotStarted},
      {"no audio device", {"", "zembrot-no-such-device", false}, "Cannot open the audio output: ",
       EspeakOutput::NotStarted},
      {"no audio device again", {"", "zembrot-no-such-device", false}, "Cannot open the audio output: ",
       EspeakOutput::NotStarted},
      {"no audio device, silent", {"", "zembrot-no-such-device", true}, "", EspeakOutput::Silent},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    TSpVoice voice(CreateEspeakSpeechServer(step.options));
    const std::string error = SpeakError(voice);
    if (step.errorStart.empty()) {
      EXPECT_EQ(error, "");
      EXPECT_TRUE(voice.Connected());
    } else {
      EXPECT_EQ(error.rfind(step.errorStart, 0), 0u) << error;
      EXPECT_GT(error.size(), step.errorStart.size()) << "the engine's reason is missing";
      EXPECT_FALSE(voice.Connected());
    }
    EXPECT_EQ(CurrentEspeakOutput(), step.outputAfter);
  }

  // Silent playback still synthesises: the words go on queueing and finish.
  TSpVoice voice(CreateEspeakSpeechServer({"", "zembrot-no-such-device", true}));
  EXPECT_NO_THROW(voice.Speak(kApple, 1));
  WaitUntilSpeechDone();
  EXPECT_FALSE(SpeechPending());
  // Without a device held, memory synthesis goes on working.
  EXPECT_GT(SynthesizeToMemory(kApple).samples.size(), 1000u);
  std::filesystem::remove_all(emptyData);
}

}  // namespace
}  // namespace zembrot
