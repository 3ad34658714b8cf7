// The real engines set up to fail: voice data missing, then an audio device
// that does not exist. The engines keep their first audio device for the
// whole process, so the steps share this one test and run in order.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/errors.h"
#include "speech/embedded_speech_server.h"
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

TEST(FailureTest, SetUpFailuresAreClearAndRetriedUntilTheyPass) {
  const std::filesystem::path emptyData =
      std::filesystem::temp_directory_path() /
      ("zembrot-no-voice-data-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(emptyData);
  const std::string data = emptyData.string();
  const char* const noDevice = "zembrot-no-such-device";

  struct Step {
    const char* name;
    SpeechOptions options;
    std::string errorStart;  // empty: the Speak succeeds
    SpeechOutput outputAfter;
  };
  const Step steps[] = {
      // Without flite's voice English falls to espeak-ng, whose data is missing.
      {"no voice at all", {data, "zembrot_no_such_voice", noDevice, false},
       "Cannot load the speech engine's voice data: ", SpeechOutput::NotStarted},
      {"no voice at all again", {data, "", noDevice, false}, "Cannot load the speech engine's voice data: ",
       SpeechOutput::NotStarted},
      // flite needs no data of espeak-ng's to speak English.
      {"flite, no audio device", {data, kFliteEnglishVoice, noDevice, false}, "Cannot open the audio output: ",
       SpeechOutput::NotStarted},
      {"espeak-ng, no audio device", {"", "", noDevice, false}, "Cannot open the audio output: ",
       SpeechOutput::NotStarted},
      {"no audio device again", {"", kFliteEnglishVoice, noDevice, false}, "Cannot open the audio output: ",
       SpeechOutput::NotStarted},
      {"no audio device, silent", {"", kFliteEnglishVoice, noDevice, true}, "", SpeechOutput::Silent},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    TSpVoice voice(CreateEmbeddedSpeechServer(step.options));
    const std::string error = SpeakError(voice);
    if (step.errorStart.empty()) {
      EXPECT_EQ(error, "");
      EXPECT_TRUE(voice.Connected());
    } else {
      EXPECT_EQ(error.rfind(step.errorStart, 0), 0u) << error;
      EXPECT_GT(error.size(), step.errorStart.size()) << "the engine's reason is missing";
      EXPECT_FALSE(voice.Connected());
    }
    EXPECT_EQ(CurrentSpeechOutput(), step.outputAfter);
  }

  // Silent playback still synthesises: the words go on queueing and finish,
  // English with flite.
  TSpVoice voice(CreateEmbeddedSpeechServer({"", kFliteEnglishVoice, noDevice, true}));
  EXPECT_NO_THROW(voice.Speak(kApple, 1));
  EXPECT_NO_THROW(voice.Speak(u"<LANG LANGID=\"804\">\u82F9\u679C", 1));
  EXPECT_NO_THROW(voice.Speak(kApple, 1));
  WaitUntilSpeechDone();
  EXPECT_FALSE(SpeechPending());
  EXPECT_EQ(LastSpeakingEngine(), SpeechEngineKind::Flite);
  EXPECT_GT(SynthesizeToMemory(kApple).samples.size(), 1000u);
  std::filesystem::remove_all(emptyData);
}

}  // namespace
}  // namespace zembrot
