#pragma once

// A speech server for tests: it records what the component asks of it and
// can be told to fail connecting, to hand out an object without the voice
// interface, or to fail speaking. Include as "speech/recording_speech_server.h"
// after linking zembrot_speech_testing.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "speech/speech_server.h"

namespace zembrot {

struct RecordedSpeech {
  std::u16string text;
  std::uint32_t flags = 0;
};

class RecordingSpeechServer : public SpeechServer {
 public:
  RecordingSpeechServer();
  ~RecordingSpeechServer() override;

  // --- how the engine behaves (settings apply from the next call on) ---
  // Whether GetActiveObject finds a running voice object (not at first).
  void SetRunningObject(bool running);
  // CreateInstance fails with `code`; a non-empty description is handed out
  // as the engine's reason.
  void FailConnecting(HResult code, std::string description = {});
  void SucceedConnecting();
  // Objects handed out no longer answer the voice interface (or do again).
  void SetVoiceInterfaceMissing(bool missing);
  // Whether objects accept an event sink.
  void SetEventsOffered(bool offered);
  // Speak fails with `code`; with error information carrying the texts, or
  // none at all when `withErrorInfo` is false.
  void FailSpeaking(HResult code, std::string description, bool withErrorInfo = true, std::string source = {},
                    std::string helpFile = {}, int helpContext = 0);
  void SucceedSpeaking();

  // --- what happened ---
  int GetActiveObjectCalls() const;
  int CreateInstanceCalls() const;
  int SpeakCalls() const;   // every attempt, failed ones too
  int AdviseCalls() const;
  int UnadviseCalls() const;
  int LiveObjects() const;  // objects handed out and not yet released
  int LiveVoices() const;   // voice interfaces handed out and not yet released
  // Texts and flags of the successful requests, in order.
  const std::vector<RecordedSpeech>& Spoken() const;
  // The successful texts as code-page bytes.
  std::vector<std::string> SpokenTexts() const;

  HResult GetActiveObject(std::shared_ptr<SpeechObject>& object) override;
  HResult CreateInstance(std::shared_ptr<SpeechObject>& object) override;
  bool TakeErrorInfo(SpeechErrorInfo& info) override;

  // Shared with the objects and voices handed out, so that they outlive the
  // server safely; tests use the accessors above.
  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace zembrot
