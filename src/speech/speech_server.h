#pragma once

// The speech engine behind TSpVoice, seen the way the component sees a COM
// server: a runtime that finds a running voice object or creates a new one,
// and the voice object with its Speak method. The component does not know
// which engine it holds: espeak-ng on Linux, the platform engine on Windows,
// a recording engine in tests.

#include <cstdint>
#include <memory>
#include <string>

namespace zembrot {

using HResult = std::int32_t;

constexpr HResult S_OK_RESULT = 0;
// The result codes the engines and the component use themselves.
constexpr HResult E_NOTIMPL_RESULT = static_cast<HResult>(0x80004001);
constexpr HResult E_FAIL_RESULT = static_cast<HResult>(0x80004005);
constexpr HResult CLASS_NOT_REGISTERED_RESULT = static_cast<HResult>(0x80040154);
// What GetActiveObject answers when no running object is registered.
constexpr HResult OPERATION_UNAVAILABLE_RESULT = static_cast<HResult>(0x800401E3);

// Speak flags the engines understand.
constexpr std::uint32_t SPEAK_ASYNC = 1;             // return at once, speak while the caller goes on
constexpr std::uint32_t SPEAK_PURGE_BEFORE = 2;      // drop the requests still waiting first

// What a failing object reported about its failure (the thread's error info).
struct SpeechErrorInfo {
  std::string source;       // code-page bytes
  std::string description;  // code-page bytes
  std::string helpFile;
  int helpContext = 0;
};

// A connected voice object (the engine's voice interface).
class SpeechVoice {
 public:
  virtual ~SpeechVoice() = default;
  // Asks the engine to speak `text` (UTF-16) with the speak flags; the stream
  // number goes to `streamNumber`. A negative result is a failure.
  virtual HResult Speak(const std::u16string& text, std::uint32_t flags, std::int32_t& streamNumber) = 0;
  // Error information left by the last failed call, if there is any; taking
  // it clears it.
  virtual bool TakeErrorInfo(SpeechErrorInfo& info) = 0;
};

// An object the runtime handed out; it may or may not answer the voice
// interface (QueryInterface).
class SpeechObject {
 public:
  virtual ~SpeechObject() = default;
  // The voice interface, or nullptr when the object does not answer it.
  virtual std::shared_ptr<SpeechVoice> QueryVoice() = 0;
  // Advises an event sink when the object offers events; false when not.
  virtual bool AdviseEvents() { return false; }
  virtual void UnadviseEvents() {}
};

// The runtime that finds or creates the engine's voice objects.
class SpeechServer {
 public:
  virtual ~SpeechServer() = default;
  virtual HResult GetActiveObject(std::shared_ptr<SpeechObject>& object) = 0;
  virtual HResult CreateInstance(std::shared_ptr<SpeechObject>& object) = 0;
  // Why the last CreateInstance failed, when the engine can say more than
  // its result code; taking it clears it. The platform engine on Windows
  // says nothing here, so the system's text for the code is used.
  virtual bool TakeErrorInfo(SpeechErrorInfo& /*info*/) { return false; }
};

// The real engine of this platform.
std::shared_ptr<SpeechServer> CreatePlatformSpeechServer();

// Prepares the GUI thread for the speech engine at start-up (CoInitialize on
// Windows; nothing elsewhere). Returns whether it succeeded; pass that to
// UninitializeSpeechThread at exit, after every speech component is gone.
bool InitializeSpeechThread();
void UninitializeSpeechThread(bool initialized);
// True between a successful InitializeSpeechThread and its matching
// UninitializeSpeechThread (the calls nest).
bool SpeechThreadInitialized();

}  // namespace zembrot
