#include "speech/espeak_speech_server.h"

#include <espeak-ng/espeak_ng.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>

#include "base/errors.h"
#include "speech/language_element.h"

namespace zembrot {

namespace {

// Codes of our own for the engine's failures, in the interface-specific
// range; errno values keep their number in the low word.
HResult ResultFromStatus(espeak_ng_STATUS status) {
  const auto value = static_cast<std::uint32_t>(status);
  if ((value & ENS_GROUP_MASK) == ENS_GROUP_ERRNO) return static_cast<HResult>(0x80070000u | (value & 0xFFFFu));
  return static_cast<HResult>(0x80045000u | ((value >> 8) & 0xFFFu));
}

std::string StatusMessage(espeak_ng_STATUS status) {
  char buffer[256] = {};
  espeak_ng_GetStatusCodeMessage(status, buffer, sizeof buffer);
  return buffer;
}

// The outcome of one engine step: success, or a code with a text that says
// what could not be done and why.
struct EngineResult {
  HResult code = S_OK_RESULT;
  std::string description;

  bool Failed() const { return code < 0; }
  static EngineResult Ok() { return {}; }
  static EngineResult From(espeak_ng_STATUS status, const char* what) {
    if (status == ENS_OK) return {};
    return {ResultFromStatus(status), std::string(what) + ": " + StatusMessage(status)};
  }
};

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

// Where synchronous synthesis delivers its samples. Only synthesis into
// memory sets it, on the calling thread, while no playback is queued; the
// atomic keeps a stray callback from espeak-ng's threads well-defined.
std::atomic<const std::function<bool(const short*, std::size_t)>*> currentConsumer{nullptr};

int DeliverSamples(short* samples, int count, espeak_EVENT* /*events*/) {
  const auto* consumer = currentConsumer.load();
  if (consumer == nullptr || samples == nullptr || count <= 0) return 0;
  return (*consumer)(samples, static_cast<std::size_t>(count)) ? 0 : 1;
}

// The one espeak-ng engine of the process.
class EspeakRuntime {
 public:
  static EspeakRuntime& Instance() {
    static EspeakRuntime runtime;
    return runtime;
  }

  EspeakRuntime(const EspeakRuntime&) = delete;
  EspeakRuntime& operator=(const EspeakRuntime&) = delete;

  ~EspeakRuntime() {
    // Stops the audio threads before the process tears down what they use.
    if (initialized_) espeak_ng_Terminate();
  }

  bool PlaybackReady() const { return mode_ == Mode::Playback; }

  EngineResult StartPlayback(const EspeakOptions& options) {
    EngineResult result = Initialize(options);
    if (result.Failed()) return result;
    return SwitchOutput(Mode::Playback, options);
  }

  EngineResult Speak(std::u16string_view text, std::uint32_t flags, std::int32_t& streamNumber) {
    // Synthesis into memory may have borrowed the engine since the voice
    // connected; speaking needs playback back.
    if (mode_ != Mode::Playback) {
      EngineResult result = SwitchOutput(Mode::Playback, options_);
      if (result.Failed()) return result;
    }
    const LanguageElement element = ParseLanguageElement(text);
    EngineResult result = SelectVoice(EspeakVoiceForLanguage(element.languageId));
    if (result.Failed()) return result;
    if ((flags & SPEAK_PURGE_BEFORE) != 0) espeak_ng_Cancel();
    const std::string utf8 = ToUtf8(text.substr(element.length));
    // No SSML flag: any other markup in the text is spoken as text.
    result = EngineResult::From(espeak_ng_Synthesize(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                                     espeakCHARS_UTF8, nullptr, nullptr),
                                "Cannot speak the text");
    if (result.Failed()) return result;
    if ((flags & SPEAK_ASYNC) == 0) espeak_ng_Synchronize();
    streamNumber = ++lastStreamNumber_;
    return result;
  }

  EngineResult Synthesize(std::u16string_view text, const std::function<bool(const short*, std::size_t)>& onSamples,
                          const EspeakOptions& options, int& sampleRate) {
    EngineResult result = Initialize(options);
    if (result.Failed()) return result;
    const Mode previous = mode_;
    result = SwitchOutput(Mode::Retrieval, options);
    if (result.Failed()) return result;
    const LanguageElement element = ParseLanguageElement(text);
    result = SelectVoice(EspeakVoiceForLanguage(element.languageId));
    if (!result.Failed()) {
      const std::string utf8 = ToUtf8(text.substr(element.length));
      currentConsumer.store(&onSamples);
      const espeak_ng_STATUS status = espeak_ng_Synthesize(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                                           espeakCHARS_UTF8, nullptr, nullptr);
      currentConsumer.store(nullptr);
      // A consumer that has heard enough stops the synthesis; that is no failure.
      if (status != ENS_SPEECH_STOPPED) result = EngineResult::From(status, "Cannot synthesise the text");
      sampleRate = espeak_ng_GetSampleRate();
    }
    // Hand playback back to the voices that use it. If the audio device has
    // gone meanwhile, their next Speak reports it.
    if (previous == Mode::Playback) SwitchOutput(Mode::Playback, options_);
    return result;
  }

  void WaitUntilDone() {
    if (mode_ != Mode::None) espeak_ng_Synchronize();
  }

 private:
  enum class Mode { None, Playback, Retrieval };

  EspeakRuntime() { espeak_SetSynthCallback(&DeliverSamples); }

  // Loads the voice data once per process; a failure is tried again next time.
  EngineResult Initialize(const EspeakOptions& options) {
    if (initialized_) return EngineResult::Ok();
    espeak_ng_InitializePath(options.dataPath.empty() ? nullptr : options.dataPath.c_str());
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    EngineResult result = EngineResult::From(status, "Cannot load the speech engine's voice data");
    if (result.Failed()) return result;
    initialized_ = true;
    options_ = options;
    voice_.clear();
    return SelectVoice(EspeakVoiceForLanguage(LANGID_US_ENGLISH));
  }

  EngineResult SwitchOutput(Mode mode, const EspeakOptions& options) {
    if (mode_ == mode) return EngineResult::Ok();
    // Queued words finish in the old mode before the output changes.
    if (mode_ == Mode::Playback) espeak_ng_Synchronize();
    mode_ = Mode::None;
    const char* device = options.audioDevice.empty() ? nullptr : options.audioDevice.c_str();
    if (mode == Mode::Retrieval) {
      EngineResult result =
          EngineResult::From(espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr), "Cannot prepare the speech output");
      if (!result.Failed()) mode_ = mode;
      return result;
    }
    // Asynchronous playback opens the audio device only on its own thread,
    // where a failure goes unreported; an empty synchronous request opens it
    // here first, so a missing device fails the connection with a clear text.
    const auto probeMode = static_cast<espeak_ng_OUTPUT_MODE>(ENOUTPUT_MODE_SYNCHRONOUS | ENOUTPUT_MODE_SPEAK_AUDIO);
    EngineResult result = EngineResult::From(espeak_ng_InitializeOutput(probeMode, 0, device), "Cannot open the audio output");
    if (result.Failed()) return result;
    result = EngineResult::From(espeak_ng_Synthesize("", 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr),
                                "Cannot open the audio output");
    if (result.Failed()) return result;
    result = EngineResult::From(espeak_ng_InitializeOutput(ENOUTPUT_MODE_SPEAK_AUDIO, 0, device),
                                "Cannot open the audio output");
    if (!result.Failed()) mode_ = mode;
    return result;
  }

  EngineResult SelectVoice(const char* name) {
    if (voice_ == name) return EngineResult::Ok();
    // The queued words keep the language they were asked in.
    if (mode_ == Mode::Playback) espeak_ng_Synchronize();
    EngineResult result = EngineResult::From(espeak_ng_SetVoiceByName(name), "Cannot select the speech voice");
    if (result.Failed()) {
      result.description += std::string(" (") + name + ")";
      return result;
    }
    voice_ = name;
    return result;
  }

  bool initialized_ = false;
  EspeakOptions options_;
  Mode mode_ = Mode::None;
  std::string voice_;
  std::int32_t lastStreamNumber_ = 0;
};

class EspeakVoice : public SpeechVoice {
 public:
  HResult Speak(const std::u16string& text, std::uint32_t flags, std::int32_t& streamNumber) override {
    EngineResult result = EspeakRuntime::Instance().Speak(text, flags, streamNumber);
    if (!result.Failed()) return S_OK_RESULT;
    lastError_ = SpeechErrorInfo{"espeak-ng", std::move(result.description), {}, 0};
    hasError_ = true;
    return result.code;
  }

  bool TakeErrorInfo(SpeechErrorInfo& info) override {
    if (!hasError_) return false;
    info = std::move(lastError_);
    hasError_ = false;
    return true;
  }

 private:
  SpeechErrorInfo lastError_;
  bool hasError_ = false;
};

class EspeakObject : public SpeechObject {
 public:
  std::shared_ptr<SpeechVoice> QueryVoice() override { return std::make_shared<EspeakVoice>(); }
};

class EspeakSpeechServer : public SpeechServer {
 public:
  explicit EspeakSpeechServer(EspeakOptions options) : options_(std::move(options)) {}

  HResult GetActiveObject(std::shared_ptr<SpeechObject>& object) override {
    if (!EspeakRuntime::Instance().PlaybackReady()) return OPERATION_UNAVAILABLE_RESULT;
    object = std::make_shared<EspeakObject>();
    return S_OK_RESULT;
  }

  HResult CreateInstance(std::shared_ptr<SpeechObject>& object) override {
    EngineResult result = EspeakRuntime::Instance().StartPlayback(options_);
    if (result.Failed()) {
      lastError_ = SpeechErrorInfo{"espeak-ng", std::move(result.description), {}, 0};
      hasError_ = true;
      return result.code;
    }
    object = std::make_shared<EspeakObject>();
    return S_OK_RESULT;
  }

  bool TakeErrorInfo(SpeechErrorInfo& info) override {
    if (!hasError_) return false;
    info = std::move(lastError_);
    hasError_ = false;
    return true;
  }

 private:
  EspeakOptions options_;
  SpeechErrorInfo lastError_;
  bool hasError_ = false;
};

}  // namespace

std::shared_ptr<SpeechServer> CreateEspeakSpeechServer(EspeakOptions options) {
  return std::make_shared<EspeakSpeechServer>(std::move(options));
}

std::shared_ptr<SpeechServer> CreatePlatformSpeechServer() { return CreateEspeakSpeechServer(); }

int SynthesizeStreaming(std::u16string_view text, const std::function<bool(const short*, std::size_t)>& onSamples,
                        const EspeakOptions& options) {
  int sampleRate = 0;
  EngineResult result = EspeakRuntime::Instance().Synthesize(text, onSamples, options, sampleRate);
  if (result.Failed()) throw EOleSysError(result.description, result.code);
  return sampleRate;
}

SynthesizedSound SynthesizeToMemory(std::u16string_view text, const EspeakOptions& options) {
  SynthesizedSound sound;
  sound.sampleRate = SynthesizeStreaming(
      text,
      [&sound](const short* samples, std::size_t count) {
        sound.samples.insert(sound.samples.end(), samples, samples + count);
        return true;
      },
      options);
  return sound;
}

void WaitUntilSpeechDone() { EspeakRuntime::Instance().WaitUntilDone(); }

}  // namespace zembrot
