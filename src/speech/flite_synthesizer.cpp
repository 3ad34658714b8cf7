#include "speech/flite_synthesizer.h"

#include <flite/flite.h>

#include <csetjmp>
#include <utility>

extern "C" {
cst_voice* register_cmu_us_rms(const char* voxdir);
void unregister_cmu_us_rms(cst_voice* voice);
}

namespace zembrot {

namespace {

struct BuiltInVoice {
  const char* name;
  cst_voice* (*registerVoice)(const char*);
  void (*unregisterVoice)(cst_voice*);
};

constexpr BuiltInVoice kBuiltInVoices[] = {
    {"cmu_us_rms", &register_cmu_us_rms, &unregister_cmu_us_rms},
};

struct StreamTarget {
  const SampleConsumer* consumer = nullptr;
  bool stopped = false;
};

int DeliverSamples(const cst_wave* wave, int start, int size, int /*last*/, cst_audio_streaming_info* info) {
  auto* target = static_cast<StreamTarget*>(info->userdata);
  if (size <= 0) return CST_AUDIO_STREAM_CONT;
  if (!(*target->consumer)(wave->samples + start, static_cast<std::size_t>(size))) {
    target->stopped = true;
    return CST_AUDIO_STREAM_STOP;
  }
  return CST_AUDIO_STREAM_CONT;
}

// flite ends the whole process on an internal error unless an error jump
// is set. Only plain C frames lie between here and the jump, so nothing of
// ours is skipped; what flite had allocated for the utterance is lost.
cst_utterance* SynthesizeGuarded(const char* text, cst_voice* voice, bool& failed) {
  std::jmp_buf jump;
  jmp_buf* previous = cst_errjmp;
  cst_errjmp = &jump;
  cst_utterance* utterance = nullptr;
  failed = false;
  if (setjmp(jump) == 0) {
    utterance = flite_synth_text(text, voice);
  } else {
    failed = true;
  }
  cst_errjmp = previous;
  return utterance;
}

class FliteSynthesizer final : public Synthesizer {
 public:
  explicit FliteSynthesizer(std::string voiceName) : voiceName_(std::move(voiceName)) {}
  ~FliteSynthesizer() override {
    if (voice_ != nullptr) builtIn_->unregisterVoice(voice_);
  }
  FliteSynthesizer(const FliteSynthesizer&) = delete;
  FliteSynthesizer& operator=(const FliteSynthesizer&) = delete;

  EngineResult Start() override {
    if (voice_ != nullptr) return {};
    builtIn_ = nullptr;
    for (const BuiltInVoice& candidate : kBuiltInVoices) {
      if (voiceName_ == candidate.name) builtIn_ = &candidate;
    }
    if (builtIn_ == nullptr) {
      return {SPEECH_VOICE_MISSING_RESULT,
              "Cannot load the English voice \"" + voiceName_ + "\": flite has no voice of that name"};
    }
    flite_init();
    cst_voice* voice = builtIn_->registerVoice(nullptr);
    if (voice == nullptr) {
      return {SPEECH_VOICE_MISSING_RESULT, "Cannot load the English voice \"" + voiceName_ + "\""};
    }
    sampleRate_ = flite_get_param_int(voice->features, "sample_rate", 16000);
    // Blocks of samples come as they are made, not once the whole word is done.
    streaming_ = new_audio_streaming_info();
    streaming_->asc = &DeliverSamples;
    streaming_->userdata = &target_;
    feat_set(voice->features, "streaming_info", audio_streaming_info_val(streaming_));
    voice_ = voice;
    return {};
  }

  int SampleRate() const override { return sampleRate_; }

  EngineResult Synthesize(const std::string& utf8, std::optional<std::uint32_t> /*languageId*/,
                          const SampleConsumer& onSamples) override {
    target_ = StreamTarget{&onSamples, false};
    bool failed = false;
    cst_utterance* utterance = SynthesizeGuarded(utf8.c_str(), voice_, failed);
    target_ = StreamTarget{};
    if (utterance != nullptr) delete_utterance(utterance);
    if (failed) return {SPEECH_SYNTHESIS_FAILED_RESULT, "Cannot synthesise the text: flite failed"};
    return {};
  }

 private:
  std::string voiceName_;
  const BuiltInVoice* builtIn_ = nullptr;
  cst_voice* voice_ = nullptr;  // owns streaming_ through its features
  cst_audio_streaming_info* streaming_ = nullptr;
  int sampleRate_ = 0;
  StreamTarget target_;
};

}  // namespace

std::unique_ptr<Synthesizer> CreateFliteSynthesizer(std::string voiceName) {
  return std::make_unique<FliteSynthesizer>(std::move(voiceName));
}

}  // namespace zembrot
