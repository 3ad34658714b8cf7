#include "speech/espeak_speech_server.h"

#include <espeak-ng/espeak_ng.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <utility>

#include "base/code_page.h"
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

// Synthesis into memory while playback holds the audio device.
constexpr HResult ENGINE_BUSY_RESULT = static_cast<HResult>(0x80045100);

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
  static EngineResult From(espeak_ng_STATUS status, const char* what) {
    if (status == ENS_OK) return {};
    return {ResultFromStatus(status), std::string(what) + ": " + StatusMessage(status)};
  }
};

const char* AudioDevice(const EspeakOptions& options) {
  return options.audioDevice.empty() ? nullptr : options.audioDevice.c_str();
}

using SampleConsumer = std::function<bool(const short*, std::size_t)>;

// Where synthesis delivers its samples; set and read on the speech thread
// only. Without a consumer the samples are dropped (silent playback).
const SampleConsumer* currentConsumer = nullptr;

int DeliverSamples(short* samples, int count, espeak_EVENT* /*events*/) {
  if (currentConsumer == nullptr || samples == nullptr || count <= 0) return 0;
  return (*currentConsumer)(samples, static_cast<std::size_t>(count)) ? 0 : 1;
}

// The espeak-ng engine, driven from one thread of its own. The engine state
// below the queue belongs to that thread; the GUI thread only posts tasks
// and, for connecting and synthesis into memory, waits for their answer.
class EspeakRuntime {
 public:
  static EspeakRuntime& Instance() {
    static EspeakRuntime runtime;
    started_.store(true);
    return runtime;
  }
  static bool Started() { return started_.load(); }

  EspeakRuntime(const EspeakRuntime&) = delete;
  EspeakRuntime& operator=(const EspeakRuntime&) = delete;

  ~EspeakRuntime() {
    {
      const std::lock_guard lock(mutex_);
      // Words still waiting at exit are not spoken any more.
      queue_.clear();
      stopping_ = true;
    }
    wake_.notify_all();
    idle_.notify_all();
    thread_.join();
  }

  EspeakOutput Output() const { return output_.load(); }

  EngineResult StartPlayback(const EspeakOptions& options) {
    return Call([this, options] {
      EngineResult result = Initialize(options);
      if (result.Failed()) return result;
      return OpenPlayback(options);
    });
  }

  // Queues `text`, or speaks it and waits when the flags ask for that.
  EngineResult Speak(std::u16string text, std::uint32_t flags) {
    if ((flags & SPEAK_PURGE_BEFORE) != 0) {
      const std::lock_guard lock(mutex_);
      queue_.clear();
    }
    if ((flags & SPEAK_ASYNC) == 0) return Call([this, text] { return SpeakNow(text); });
    // Nobody waits for a queued request; its failure cannot reach the
    // caller, who has long gone on.
    Post([this, text = std::move(text)] { SpeakNow(text); });
    return {};
  }

  EngineResult Synthesize(std::u16string text, const SampleConsumer& onSamples, const EspeakOptions& options,
                          int& sampleRate) {
    return Call([this, text = std::move(text), &onSamples, options, &sampleRate] {
      EngineResult result = Initialize(options);
      if (result.Failed()) return result;
      if (output_.load() == EspeakOutput::Audio) {
        return EngineResult{ENGINE_BUSY_RESULT,
                            "The speech engine holds the audio device for playback and cannot synthesise into memory"};
      }
      currentConsumer = &onSamples;
      result = SynthesizeNow(text, "Cannot synthesise the text");
      currentConsumer = nullptr;
      sampleRate = espeak_ng_GetSampleRate();
      return result;
    });
  }

  bool Pending() {
    const std::lock_guard lock(mutex_);
    return !queue_.empty() || busy_;
  }

  void WaitUntilDone() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
  }

 private:
  EspeakRuntime() : thread_([this] { Run(); }) {}

  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) break;
      std::function<void()> task = std::move(queue_.front());
      queue_.pop_front();
      busy_ = true;
      lock.unlock();
      task();
      lock.lock();
      busy_ = false;
      idle_.notify_all();
    }
    lock.unlock();
    if (initialized_) espeak_ng_Terminate();
  }

  void Post(std::function<void()> task) {
    {
      const std::lock_guard lock(mutex_);
      queue_.push_back(std::move(task));
    }
    wake_.notify_one();
  }

  EngineResult Call(std::function<EngineResult()> task) {
    std::promise<EngineResult> answer;
    std::future<EngineResult> result = answer.get_future();
    Post([&answer, &task] { answer.set_value(task()); });
    EngineResult value = result.get();
    // Return only once the speech thread has let go of the task, so that a
    // caller who queued nothing else finds the engine idle.
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_ || !queue_.empty() || stopping_; });
    return value;
  }

  // Loads the voice data once per process; a failure is tried again next time.
  EngineResult Initialize(const EspeakOptions& options) {
    if (initialized_) return {};
    espeak_ng_InitializePath(options.dataPath.empty() ? nullptr : options.dataPath.c_str());
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    EngineResult result = EngineResult::From(status, "Cannot load the speech engine's voice data");
    if (result.Failed()) return result;
    espeak_SetSynthCallback(&DeliverSamples);
    // Every synthesis is synchronous on this thread; with audio it plays as
    // it goes, without it the samples go to the consumer. espeak-ng picks its
    // audio device on the first call here and keeps it.
    result = EngineResult::From(espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, AudioDevice(options)),
                                "Cannot prepare the speech output");
    if (result.Failed()) return result;
    initialized_ = true;
    voice_.clear();
    return SelectVoice(EspeakVoiceForLanguage(LANGID_US_ENGLISH));
  }

  EngineResult OpenPlayback(const EspeakOptions& options) {
    if (output_.load() != EspeakOutput::NotStarted) return {};
    const auto mode = static_cast<espeak_ng_OUTPUT_MODE>(ENOUTPUT_MODE_SYNCHRONOUS | ENOUTPUT_MODE_SPEAK_AUDIO);
    EngineResult result = EngineResult::From(espeak_ng_InitializeOutput(mode, 0, AudioDevice(options)), "Cannot open the audio output");
    // An empty request opens the device without a sound.
    if (!result.Failed()) {
      result = EngineResult::From(espeak_ng_Synthesize("", 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr),
                                  "Cannot open the audio output");
    }
    if (!result.Failed()) {
      output_.store(EspeakOutput::Audio);
      return result;
    }
    // Back to synthesis without sound, whatever comes next.
    espeak_ng_Cancel();
    espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, AudioDevice(options));
    if (!options.silentWithoutAudio) return result;
    std::fprintf(stderr, "zembrot: words are not spoken aloud (%s)\n", result.description.c_str());
    output_.store(EspeakOutput::Silent);
    return {};
  }

  EngineResult SpeakNow(const std::u16string& text) {
    if (output_.load() == EspeakOutput::NotStarted) {
      return EngineResult{E_FAIL_RESULT, "The speech engine is not connected"};
    }
    return SynthesizeNow(text, "Cannot speak the text");
  }

  EngineResult SynthesizeNow(std::u16string_view text, const char* what) {
    const LanguageElement element = ParseLanguageElement(text);
    EngineResult result = SelectVoice(EspeakVoiceForLanguage(element.languageId));
    if (result.Failed()) return result;
    const std::string utf8 = Utf16ToUtf8(text.substr(element.length));
    // No SSML flag: any other markup in the text is spoken as text.
    const espeak_ng_STATUS status =
        espeak_ng_Synthesize(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    // A consumer that has heard enough stops the synthesis; that is no
    // failure, but what was left must not reach the next request.
    if (status == ENS_SPEECH_STOPPED) {
      espeak_ng_Cancel();
      return {};
    }
    return EngineResult::From(status, what);
  }

  EngineResult SelectVoice(const char* name) {
    if (voice_ == name) return {};
    EngineResult result = EngineResult::From(espeak_ng_SetVoiceByName(name), "Cannot select the speech voice");
    if (result.Failed()) {
      result.description += std::string(" \"") + name + "\"";
      return result;
    }
    voice_ = name;
    return result;
  }

  static inline std::atomic<bool> started_{false};

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::function<void()>> queue_;
  bool stopping_ = false;
  bool busy_ = false;  // a task is running

  // Owned by the speech thread.
  bool initialized_ = false;
  std::string voice_;
  std::atomic<EspeakOutput> output_{EspeakOutput::NotStarted};

  std::thread thread_;  // last: starts once everything above is ready
};

// Error information that a failing call leaves for the caller to take.
class ErrorSlot {
 public:
  void Set(std::string description) {
    info_ = SpeechErrorInfo{"espeak-ng", std::move(description), {}, 0};
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

class EspeakVoice : public SpeechVoice {
 public:
  HResult Speak(const std::u16string& text, std::uint32_t flags, std::int32_t& streamNumber) override {
    EngineResult result = EspeakRuntime::Instance().Speak(text, flags);
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

class EspeakObject : public SpeechObject {
 public:
  std::shared_ptr<SpeechVoice> QueryVoice() override { return std::make_shared<EspeakVoice>(); }
};

class EspeakSpeechServer : public SpeechServer {
 public:
  explicit EspeakSpeechServer(EspeakOptions options) : options_(std::move(options)) {}

  HResult GetActiveObject(std::shared_ptr<SpeechObject>& object) override {
    if (CurrentEspeakOutput() == EspeakOutput::NotStarted) return OPERATION_UNAVAILABLE_RESULT;
    object = std::make_shared<EspeakObject>();
    return S_OK_RESULT;
  }

  HResult CreateInstance(std::shared_ptr<SpeechObject>& object) override {
    EngineResult result = EspeakRuntime::Instance().StartPlayback(options_);
    if (result.Failed()) {
      error_.Set(std::move(result.description));
      return result.code;
    }
    object = std::make_shared<EspeakObject>();
    return S_OK_RESULT;
  }

  bool TakeErrorInfo(SpeechErrorInfo& info) override { return error_.Take(info); }

 private:
  EspeakOptions options_;
  ErrorSlot error_;
};

}  // namespace

std::shared_ptr<SpeechServer> CreateEspeakSpeechServer(EspeakOptions options) {
  return std::make_shared<EspeakSpeechServer>(std::move(options));
}

std::shared_ptr<SpeechServer> CreatePlatformSpeechServer() { return CreateEspeakSpeechServer(); }

int SynthesizeStreaming(std::u16string_view text, const std::function<bool(const short*, std::size_t)>& onSamples,
                        const EspeakOptions& options) {
  int sampleRate = 0;
  EngineResult result = EspeakRuntime::Instance().Synthesize(std::u16string(text), onSamples, options, sampleRate);
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

void WaitUntilSpeechDone() {
  if (EspeakRuntime::Started()) EspeakRuntime::Instance().WaitUntilDone();
}

bool SpeechPending() { return EspeakRuntime::Started() && EspeakRuntime::Instance().Pending(); }

EspeakOutput CurrentEspeakOutput() {
  return EspeakRuntime::Started() ? EspeakRuntime::Instance().Output() : EspeakOutput::NotStarted;
}

}  // namespace zembrot
