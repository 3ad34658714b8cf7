// The engines' module: nothing of it is loaded until the first word, and a
// module that cannot be loaded says why. A process of its own: the first
// test looks at a process in which nothing has spoken yet.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "speech/embedded_speech_server.h"
#include "speech/sp_voice.h"
#include "speech/speech_engines.h"

namespace zembrot {
namespace {

bool Mapped(const std::string& library) {
  std::ifstream maps("/proc/self/maps");
  const std::string text((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
  return text.find(library) != std::string::npos;
}

TEST(SpeechModuleTest, NoSpeechLibraryIsMappedBeforeTheFirstWord) {
  const char* const libraries[] = {"libflite", "libespeak-ng", "libpcaudio", "zembrot-speech-engines"};
  {
    // A component and its server, as the main window holds them from the start.
    TSpVoice voice(CreateEmbeddedSpeechServer());
    EXPECT_FALSE(SpeechEnginesLoaded());
    for (const char* library : libraries) EXPECT_FALSE(Mapped(library)) << library << " is mapped before any word";
  }
  EXPECT_GT(SynthesizeToMemory(u"apple").samples.size(), 1000u);
  EXPECT_TRUE(SpeechEnginesLoaded());
  for (const char* library : libraries) EXPECT_TRUE(Mapped(library)) << library << " is not mapped after a word";
}

TEST(SpeechModuleTest, SaysWhyTheModuleCannotBeLoaded) {
  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"zembrot-no-such-module.so",
       "Cannot load the speech engines: zembrot-no-such-module.so: cannot open shared object file: No such file or "
       "directory"},
      {"libm.so.6", "Cannot load the speech engines: libm.so.6 is not the speech-engine module"},
  };
  for (const auto& c : cases) {
    const SpeechEngines* engines = nullptr;
    const EngineResult result = OpenSpeechEngineModule(c.file, engines);
    EXPECT_EQ(result.code, SPEECH_ENGINES_MISSING_RESULT) << c.file;
    EXPECT_EQ(result.description, c.message);
    EXPECT_EQ(engines, nullptr) << c.file;
  }
}

}  // namespace
}  // namespace zembrot
