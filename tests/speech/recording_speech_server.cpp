#include "speech/recording_speech_server.h"

#include <utility>

#include "base/code_page.h"

namespace zembrot {

struct RecordingSpeechServer::State {
  bool runningObject = false;
  std::optional<std::pair<HResult, std::string>> connectFailure;
  bool voiceMissing = false;
  bool eventsOffered = true;
  std::optional<HResult> speakFailure;
  std::optional<SpeechErrorInfo> speakErrorInfo;

  int getActiveObjectCalls = 0;
  int createInstanceCalls = 0;
  int speakCalls = 0;
  int adviseCalls = 0;
  int unadviseCalls = 0;
  int liveObjects = 0;
  int liveVoices = 0;
  std::int32_t lastStreamNumber = 0;
  std::vector<RecordedSpeech> spoken;
  std::optional<SpeechErrorInfo> connectErrorInfo;
};

namespace {

using State = RecordingSpeechServer::State;

class RecordingVoice : public SpeechVoice {
 public:
  explicit RecordingVoice(std::shared_ptr<State> state) : state_(std::move(state)) { ++state_->liveVoices; }
  ~RecordingVoice() override { --state_->liveVoices; }
  RecordingVoice(const RecordingVoice&) = delete;
  RecordingVoice& operator=(const RecordingVoice&) = delete;

  HResult Speak(const std::u16string& text, std::uint32_t flags, std::int32_t& streamNumber) override {
    ++state_->speakCalls;
    if (state_->speakFailure) {
      pendingError_ = state_->speakErrorInfo;
      return *state_->speakFailure;
    }
    state_->spoken.push_back({text, flags});
    streamNumber = ++state_->lastStreamNumber;
    return S_OK_RESULT;
  }

  bool TakeErrorInfo(SpeechErrorInfo& info) override {
    if (!pendingError_) return false;
    info = std::move(*pendingError_);
    pendingError_.reset();
    return true;
  }

 private:
  std::shared_ptr<State> state_;
  std::optional<SpeechErrorInfo> pendingError_;
};

class RecordingObject : public SpeechObject {
 public:
  explicit RecordingObject(std::shared_ptr<State> state) : state_(std::move(state)) { ++state_->liveObjects; }
  ~RecordingObject() override { --state_->liveObjects; }
  RecordingObject(const RecordingObject&) = delete;
  RecordingObject& operator=(const RecordingObject&) = delete;

  std::shared_ptr<SpeechVoice> QueryVoice() override {
    if (state_->voiceMissing) return nullptr;
    return std::make_shared<RecordingVoice>(state_);
  }
  bool AdviseEvents() override {
    ++state_->adviseCalls;
    return state_->eventsOffered;
  }
  void UnadviseEvents() override { ++state_->unadviseCalls; }

 private:
  std::shared_ptr<State> state_;
};

}  // namespace

RecordingSpeechServer::RecordingSpeechServer() : state_(std::make_shared<State>()) {}
RecordingSpeechServer::~RecordingSpeechServer() = default;

void RecordingSpeechServer::SetRunningObject(bool running) { state_->runningObject = running; }
void RecordingSpeechServer::FailConnecting(HResult code, std::string description) {
  state_->connectFailure = std::make_pair(code, std::move(description));
}
void RecordingSpeechServer::SucceedConnecting() { state_->connectFailure.reset(); }
void RecordingSpeechServer::SetVoiceInterfaceMissing(bool missing) { state_->voiceMissing = missing; }
void RecordingSpeechServer::SetEventsOffered(bool offered) { state_->eventsOffered = offered; }

void RecordingSpeechServer::FailSpeaking(HResult code, std::string description, bool withErrorInfo,
                                         std::string source, std::string helpFile, int helpContext) {
  state_->speakFailure = code;
  if (withErrorInfo) {
    state_->speakErrorInfo = SpeechErrorInfo{std::move(source), std::move(description), std::move(helpFile), helpContext};
  } else {
    state_->speakErrorInfo.reset();
  }
}
void RecordingSpeechServer::SucceedSpeaking() {
  state_->speakFailure.reset();
  state_->speakErrorInfo.reset();
}

int RecordingSpeechServer::GetActiveObjectCalls() const { return state_->getActiveObjectCalls; }
int RecordingSpeechServer::CreateInstanceCalls() const { return state_->createInstanceCalls; }
int RecordingSpeechServer::SpeakCalls() const { return state_->speakCalls; }
int RecordingSpeechServer::AdviseCalls() const { return state_->adviseCalls; }
int RecordingSpeechServer::UnadviseCalls() const { return state_->unadviseCalls; }
int RecordingSpeechServer::LiveObjects() const { return state_->liveObjects; }
int RecordingSpeechServer::LiveVoices() const { return state_->liveVoices; }
const std::vector<RecordedSpeech>& RecordingSpeechServer::Spoken() const { return state_->spoken; }

std::vector<std::string> RecordingSpeechServer::SpokenTexts() const {
  std::vector<std::string> texts;
  for (const RecordedSpeech& speech : state_->spoken) texts.push_back(Utf16ToCodePage(speech.text));
  return texts;
}

HResult RecordingSpeechServer::GetActiveObject(std::shared_ptr<SpeechObject>& object) {
  ++state_->getActiveObjectCalls;
  if (!state_->runningObject) return OPERATION_UNAVAILABLE_RESULT;
  object = std::make_shared<RecordingObject>(state_);
  return S_OK_RESULT;
}

HResult RecordingSpeechServer::CreateInstance(std::shared_ptr<SpeechObject>& object) {
  ++state_->createInstanceCalls;
  if (state_->connectFailure) {
    const auto& [code, description] = *state_->connectFailure;
    if (description.empty()) {
      state_->connectErrorInfo.reset();
    } else {
      state_->connectErrorInfo = SpeechErrorInfo{"recording engine", description, {}, 0};
    }
    return code;
  }
  object = std::make_shared<RecordingObject>(state_);
  return S_OK_RESULT;
}

bool RecordingSpeechServer::TakeErrorInfo(SpeechErrorInfo& info) {
  if (!state_->connectErrorInfo) return false;
  info = std::move(*state_->connectErrorInfo);
  state_->connectErrorInfo.reset();
  return true;
}

}  // namespace zembrot
