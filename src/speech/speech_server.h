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
  // Error information left by the last failed call, if there is any.
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
};

// The real engine of this platform.
std::shared_ptr<SpeechServer> CreatePlatformSpeechServer();

}  // namespace zembrot
