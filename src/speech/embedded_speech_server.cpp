#include "speech/embedded_speech_server.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <utility>

#include "base/code_page.h"
#include "base/errors.h"
#include "speech/speech_engines.h"
#include "speech/speech_worker.h"

namespace zembrot {

namespace {

// Marks a connection whose sound output has not answered yet, for as long
// as its task exists: the task goes when it has run or was dropped.
class OpeningMark {
 public:
  explicit OpeningMark(std::atomic<bool>& opening) : opening_(opening) { opening_.store(true); }
  ~OpeningMark() { opening_.store(false); }
  OpeningMark(const OpeningMark&) = delete;
  OpeningMark& operator=(const OpeningMark&) = delete;

 private:
  std::atomic<bool>& opening_;
};

EngineResult NoAnswerFromOutput() {
  return {SPEECH_NO_ANSWER_RESULT, "Cannot open the audio output: the sound system does not answer"};
}

// The engines, the audio output and the speech thread they run on. The
// state below the worker belongs to the speech thread; the GUI thread only
// posts tasks and, for connecting and synthesis into memory, waits for the
// answer.
class SpeechRuntime {
 public:
  static SpeechRuntime& Instance() {
    std::unique_ptr<SpeechRuntime>& runtime = Current();
    if (!runtime) runtime.reset(new SpeechRuntime);
    return *runtime;
  }
  static bool Started() { return Current() != nullptr; }

  static bool EndCurrent(std::chrono::milliseconds bound) {
    std::unique_ptr<SpeechRuntime>& runtime = Current();
    if (!runtime) return true;
    if (runtime->End(bound)) {
      runtime.reset();
      return true;
    }
    // Its thread is still inside the sound system and will touch it when
    // it comes back: kept for good, and still reachable for leak checkers.
    SpeechRuntime* left = runtime.release();
    left->nextLeftBehind_ = leftBehind_;
    leftBehind_ = left;
    return false;
  }

  SpeechOutput Output() const { return output_.load(); }

  std::optional<SpeechEngineKind> LastEngine() {
    const std::lock_guard lock(lastEngineMutex_);
    return lastEngine_;
  }

  // `output` makes the output to play to; empty for the sound library's.
  EngineResult StartPlayback(const SpeechOptions& options, const AudioOutputFactory& output) {
    // An earlier connection still waits for the sound system and holds the
    // speech thread: queueing behind it would hold the caller too.
    if (opening_.load()) return NoAnswerFromOutput();
    // Loading the engines is work of this machine alone; only the sound
    // system can keep the caller waiting for ever.
    EngineResult result = worker_.Call([this, options] {
      Synthesizer* english = nullptr;
      SpeechEngineKind kind{};
      return EngineFor(std::nullopt, options, english, kind);
    });
    if (result.Failed()) return result;
    auto mark = std::make_shared<OpeningMark>(opening_);
    result = worker_.Call([this, options, output, mark] { return OpenPlayback(options, output); },
                          kAudioOutputDeadline);
    if (result.code == SPEECH_NO_ANSWER_RESULT) return NoAnswerFromOutput();
    return result;
  }

  // Queues `text`, or speaks it and waits when the flags ask for that.
  EngineResult Speak(std::u16string text, std::uint32_t flags) {
    if ((flags & SPEAK_PURGE_BEFORE) != 0) worker_.DropWaiting();
    if ((flags & SPEAK_ASYNC) == 0) return worker_.Call([this, text] { return SpeakNow(text); });
    // Nobody waits for a queued request; its failure cannot reach the
    // caller, who has long gone on.
    worker_.Post([this, text = std::move(text)] { SpeakNow(text); });
    return {};
  }

  EngineResult Synthesize(std::u16string text, const SampleConsumer& onSamples, const SpeechOptions& options,
                          int& sampleRate, SpeechEngineKind& engine) {
    return worker_.Call([this, text = std::move(text), &onSamples, options, &sampleRate, &engine] {
      std::optional<SpeechEngineKind> chosen;
      EngineResult result = SynthesizeNow(text, options, onSamples, sampleRate, chosen);
      if (chosen) engine = *chosen;
      return result;
    });
  }

  bool Pending() { return worker_.Pending(); }
  void WaitUntilDone() { worker_.WaitUntilDone(); }

 private:
  SpeechRuntime() = default;

  static std::unique_ptr<SpeechRuntime>& Current() {
    static std::unique_ptr<SpeechRuntime> runtime;
    return runtime;
  }

  bool End(std::chrono::milliseconds bound) {
    stopping_.store(true);
    worker_.DropWaiting();
    // The output and the engines belong to the speech thread: it lets
    // them go itself, what is still unheard dropped.
    worker_.Post([this] {
      audio_.reset();
      flite_.reset();
      espeak_.reset();
    });
    return worker_.Finish(bound);
  }

  EngineResult OpenPlayback(const SpeechOptions& options, const AudioOutputFactory& output) {
    if (output_.load() != SpeechOutput::NotStarted) return {};
    Synthesizer* english = nullptr;
    SpeechEngineKind kind{};
    EngineResult result = EngineFor(std::nullopt, options, english, kind);
    if (result.Failed()) return result;
    audio_ = output ? output() : engines_->createAudioOutput();
    result = audio_->Open(options.audioDevice, english->SampleRate());
    if (result.Failed()) {
      audio_.reset();
      if (!options.silentWithoutAudio) return result;
      std::fprintf(stderr, "zembrot: words are not spoken aloud (%s)\n", result.description.c_str());
      playbackOptions_ = options;
      output_.store(SpeechOutput::Silent);
      return {};
    }
    playbackOptions_ = options;
    output_.store(SpeechOutput::Audio);
    return {};
  }

  EngineResult SpeakNow(const std::u16string& text) {
    if (output_.load() == SpeechOutput::NotStarted) {
      return EngineResult{E_FAIL_RESULT, "The speech engine is not connected"};
    }
    const bool audible = output_.load() == SpeechOutput::Audio;
    EngineResult played;
    // Without audio the words are still synthesised, so that a request
    // takes its time either way; the samples are dropped. A stop is seen
    // at the next block, however long the word.
    const SampleConsumer play = [this, audible, &played](const short* samples, std::size_t count) {
      if (stopping_.load()) return false;
      if (!audible) return true;
      played = audio_->Play(samples, count, currentRate_);
      return !played.Failed();
    };
    int sampleRate = 0;
    std::optional<SpeechEngineKind> engine;
    EngineResult result = SynthesizeNow(text, playbackOptions_, play, sampleRate, engine);
    if (audible) {
      if (stopping_.load()) {
        audio_->Flush();
      } else {
        audio_->Drain();
      }
    }
    if (engine) {
      const std::lock_guard lock(lastEngineMutex_);
      lastEngine_ = engine;
    }
    if (result.Failed()) return result;
    return played;
  }

  // Strips the language element, picks the engine for the language it names
  // and synthesises the rest.
  EngineResult SynthesizeNow(std::u16string_view text, const SpeechOptions& options, const SampleConsumer& onSamples,
                             int& sampleRate, std::optional<SpeechEngineKind>& chosen) {
    const LanguageElement element = ParseLanguageElement(text);
    Synthesizer* engine = nullptr;
    SpeechEngineKind kind{};
    EngineResult result = EngineFor(element.languageId, options, engine, kind);
    if (result.Failed()) return result;
    chosen = kind;
    currentRate_ = sampleRate = engine->SampleRate();
    return engine->Synthesize(Utf16ToUtf8(text.substr(element.length)), element.languageId, onSamples);
  }

  // The started engine for a language, the engines' module loaded first.
  // English falls back to espeak-ng when flite's voice cannot start, and
  // says so once.
  EngineResult EngineFor(std::optional<std::uint32_t> languageId, const SpeechOptions& options, Synthesizer*& engine,
                         SpeechEngineKind& kind) {
    if (engines_ == nullptr) {
      const EngineResult loaded = LoadSpeechEngines(engines_);
      if (loaded.Failed()) return loaded;
    }
    if (EngineForLanguage(languageId) == SpeechEngineKind::Flite && !options.englishVoice.empty()) {
      if (!flite_ || fliteVoice_ != options.englishVoice) {
        flite_.reset();  // flite registers a voice once per process
        flite_ = engines_->createFlite(options.englishVoice);
        fliteVoice_ = options.englishVoice;
      }
      const EngineResult result = flite_->Start();
      if (!result.Failed()) {
        engine = flite_.get();
        kind = SpeechEngineKind::Flite;
        return {};
      }
      if (!fliteFailureReported_) {
        fliteFailureReported_ = true;
        std::fprintf(stderr, "zembrot: English is spoken by espeak-ng (%s)\n", result.description.c_str());
      }
    }
    // espeak-ng loads its data once per process; until it has, another
    // data folder may be tried.
    if (!espeak_ || (!espeakStarted_ && espeakDataPath_ != options.espeakDataPath)) {
      espeak_.reset();
      espeak_ = engines_->createEspeak(options.espeakDataPath);
      espeakDataPath_ = options.espeakDataPath;
    }
    const EngineResult result = espeak_->Start();
    if (result.Failed()) return result;
    espeakStarted_ = true;
    engine = espeak_.get();
    kind = SpeechEngineKind::Espeak;
    return {};
  }

  static inline SpeechRuntime* leftBehind_ = nullptr;
  SpeechRuntime* nextLeftBehind_ = nullptr;

  // Owned by the speech thread.
  const SpeechEngines* engines_ = nullptr;
  std::unique_ptr<Synthesizer> flite_;
  std::string fliteVoice_;
  bool fliteFailureReported_ = false;
  std::unique_ptr<Synthesizer> espeak_;
  std::string espeakDataPath_;
  bool espeakStarted_ = false;
  std::unique_ptr<AudioOutput> audio_;
  SpeechOptions playbackOptions_;
  int currentRate_ = 0;

  std::atomic<SpeechOutput> output_{SpeechOutput::NotStarted};
  std::atomic<bool> opening_{false};   // a connection waits for the sound system
  std::atomic<bool> stopping_{false};  // set once, when speech ends
  std::mutex lastEngineMutex_;
  std::optional<SpeechEngineKind> lastEngine_;

  // Last: the speech thread stops before the engines it drives go.
  SpeechWorker worker_;
};

// Error information that a failing call leaves for the caller to take.
class ErrorSlot {
 public:
  void Set(std::string description) {
    info_ = SpeechErrorInfo{"Zembrot speech", std::move(description), {}, 0};
    has_ = true;
  }
  bool Take(SpeechErrorInfo& info) {
    if (!has_) return false;
    info = std::move(info_);
    has_ = false;
    return true;
  }

 private:
  SpeechErrorInfo info_;
  bool has_ = false;
};

class EmbeddedVoice : public SpeechVoice {
 public:
  HResult Speak(const std::u16string& text, std::uint32_t flags, std::int32_t& streamNumber) override {
    EngineResult result = SpeechRuntime::Instance().Speak(text, flags);
    if (result.Failed()) {
      error_.Set(std::move(result.description));
      return result.code;
    }
    streamNumber = ++lastStreamNumber_;
    return S_OK_RESULT;
  }

  bool TakeErrorInfo(SpeechErrorInfo& info) override { return error_.Take(info); }

 private:
  static inline std::int32_t lastStreamNumber_ = 0;
  ErrorSlot error_;
};

class EmbeddedObject : public SpeechObject {
 public:
  std::shared_ptr<SpeechVoice> QueryVoice() override { return std::make_shared<EmbeddedVoice>(); }
};

class EmbeddedSpeechServer : public SpeechServer {
 public:
  EmbeddedSpeechServer(SpeechOptions options, AudioOutputFactory output)
      : options_(std::move(options)), output_(std::move(output)) {}

  HResult GetActiveObject(std::shared_ptr<SpeechObject>& object) override {
    if (CurrentSpeechOutput() == SpeechOutput::NotStarted) return OPERATION_UNAVAILABLE_RESULT;
    object = std::make_shared<EmbeddedObject>();
    return S_OK_RESULT;
  }

  HResult CreateInstance(std::shared_ptr<SpeechObject>& object) override {
    EngineResult result = SpeechRuntime::Instance().StartPlayback(options_, output_);
    if (result.Failed()) {
      error_.Set(std::move(result.description));
      return result.code;
    }
    object = std::make_shared<EmbeddedObject>();
    return S_OK_RESULT;
  }

  bool TakeErrorInfo(SpeechErrorInfo& info) override { return error_.Take(info); }

 private:
  SpeechOptions options_;
  AudioOutputFactory output_;
  ErrorSlot error_;
};

}  // namespace

std::shared_ptr<SpeechServer> CreateEmbeddedSpeechServer(SpeechOptions options) {
  return std::make_shared<EmbeddedSpeechServer>(std::move(options), nullptr);
}

std::shared_ptr<SpeechServer> CreateEmbeddedSpeechServer(SpeechOptions options, AudioOutputFactory output) {
  return std::make_shared<EmbeddedSpeechServer>(std::move(options), std::move(output));
}

std::shared_ptr<SpeechServer> CreatePlatformSpeechServer() { return CreateEmbeddedSpeechServer(); }

int SynthesizeStreaming(std::u16string_view text, const std::function<bool(const short*, std::size_t)>& onSamples,
                        const SpeechOptions& options) {
  int sampleRate = 0;
  SpeechEngineKind engine{};
  EngineResult result =
      SpeechRuntime::Instance().Synthesize(std::u16string(text), onSamples, options, sampleRate, engine);
  if (result.Failed()) throw EOleSysError(result.description, result.code);
  return sampleRate;
}

SynthesizedSound SynthesizeToMemory(std::u16string_view text, const SpeechOptions& options) {
  SynthesizedSound sound;
  const SampleConsumer keep = [&sound](const short* samples, std::size_t count) {
    sound.samples.insert(sound.samples.end(), samples, samples + count);
    return true;
  };
  EngineResult result =
      SpeechRuntime::Instance().Synthesize(std::u16string(text), keep, options, sound.sampleRate, sound.engine);
  if (result.Failed()) throw EOleSysError(result.description, result.code);
  return sound;
}

bool EndSpeech(std::chrono::milliseconds bound) { return SpeechRuntime::EndCurrent(bound); }

void WaitUntilSpeechDone() {
  if (SpeechRuntime::Started()) SpeechRuntime::Instance().WaitUntilDone();
}

bool SpeechPending() { return SpeechRuntime::Started() && SpeechRuntime::Instance().Pending(); }

SpeechOutput CurrentSpeechOutput() {
  return SpeechRuntime::Started() ? SpeechRuntime::Instance().Output() : SpeechOutput::NotStarted;
}

std::optional<SpeechEngineKind> LastSpeakingEngine() {
  return SpeechRuntime::Started() ? SpeechRuntime::Instance().LastEngine() : std::nullopt;
}

}  // namespace zembrot
