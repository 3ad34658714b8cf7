#include "speech/espeak_synthesizer.h"

#include <espeak-ng/espeak_ng.h>

#include <cstdint>
#include <utility>

#include "speech/language_element.h"

namespace zembrot {

namespace {

// errno values keep their number in the low word; the engine's own codes
// go to the interface-specific range.
HResult ResultFromStatus(espeak_ng_STATUS status) {
  const auto value = static_cast<std::uint32_t>(status);
  if ((value & ENS_GROUP_MASK) == ENS_GROUP_ERRNO) return static_cast<HResult>(0x80070000u | (value & 0xFFFFu));
  return static_cast<HResult>(0x80045000u | ((value >> 8) & 0xFFFu));
}

EngineResult FromStatus(espeak_ng_STATUS status, const char* what) {
  if (status == ENS_OK) return {};
  char message[256] = {};
  espeak_ng_GetStatusCodeMessage(status, message, sizeof message);
  return {ResultFromStatus(status), std::string(what) + ": " + message};
}

// Where the running synthesis delivers its samples. espeak-ng's callback
// carries no context of ours, and the engine runs one synthesis at a time.
const SampleConsumer* currentConsumer = nullptr;

int DeliverSamples(short* samples, int count, espeak_EVENT* /*events*/) {
  if (currentConsumer == nullptr || samples == nullptr || count <= 0) return 0;
  return (*currentConsumer)(samples, static_cast<std::size_t>(count)) ? 0 : 1;
}

class EspeakSynthesizer final : public Synthesizer {
 public:
  explicit EspeakSynthesizer(std::string dataPath) : dataPath_(std::move(dataPath)) {}
  ~EspeakSynthesizer() override {
    if (started_) espeak_ng_Terminate();
  }
  EspeakSynthesizer(const EspeakSynthesizer&) = delete;
  EspeakSynthesizer& operator=(const EspeakSynthesizer&) = delete;

  EngineResult Start() override {
    if (started_) return {};
    espeak_ng_InitializePath(dataPath_.empty() ? nullptr : dataPath_.c_str());
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    EngineResult result = FromStatus(status, "Cannot load the speech engine's voice data");
    if (result.Failed()) return result;
    espeak_SetSynthCallback(&DeliverSamples);
    // espeak-ng never touches the audio device itself: the samples go to
    // the consumer, and the shared audio output plays them.
    result = FromStatus(espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr),
                        "Cannot prepare the speech output");
    if (result.Failed()) return result;
    started_ = true;
    voice_.clear();
    return SelectVoice(EspeakVoiceForLanguage(LANGID_US_ENGLISH));
  }

  int SampleRate() const override { return started_ ? espeak_ng_GetSampleRate() : 0; }

  EngineResult Synthesize(const std::string& utf8, std::optional<std::uint32_t> languageId,
                          const SampleConsumer& onSamples) override {
    EngineResult result = SelectVoice(EspeakVoiceForLanguage(languageId));
    if (result.Failed()) return result;
    currentConsumer = &onSamples;
    // No SSML flag: any markup in the text is spoken as text.
    const espeak_ng_STATUS status =
        espeak_ng_Synthesize(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    currentConsumer = nullptr;
    // A consumer that has heard enough stops the synthesis; that is no
    // failure, but what was left must not reach the next request.
    if (status == ENS_SPEECH_STOPPED) {
      espeak_ng_Cancel();
      return {};
    }
    return FromStatus(status, "Cannot synthesise the text");
  }

 private:
  EngineResult SelectVoice(const char* name) {
    if (voice_ == name) return {};
    EngineResult result = FromStatus(espeak_ng_SetVoiceByName(name), "Cannot select the speech voice");
    if (result.Failed()) {
      result.description += std::string(" \"") + name + "\"";
      return result;
    }
    voice_ = name;
    return result;
  }

  std::string dataPath_;
  bool started_ = false;
  std::string voice_;
};

}  // namespace

std::unique_ptr<Synthesizer> CreateEspeakSynthesizer(std::string dataPath) {
  return std::make_unique<EspeakSynthesizer>(std::move(dataPath));
}

}  // namespace zembrot
