#pragma once

// TSpVoice: the speech component. It connects lazily to its speech server on
// the first Speak (a running voice object first, else a new one), keeps the
// connection for later requests and disconnects when destroyed.

#include <cstdint>
#include <memory>
#include <string>

#include "speech/speech_server.h"

namespace zembrot {

enum class TConnectKind : std::uint8_t {
  ckRunningOrNew, ckNewInstance, ckRunningInstance, ckRemote, ckAttachToInterface
};

class TSpVoice {
 public:
  // Touches nothing of the engine; a null server behaves as an engine that
  // is not installed.
  explicit TSpVoice(std::shared_ptr<SpeechServer> server);
  ~TSpVoice();
  TSpVoice(const TSpVoice&) = delete;
  TSpVoice& operator=(const TSpVoice&) = delete;

  // Speaks `text`; flags 1 returns at once while the engine speaks.
  // Returns the engine's stream number. Errors: EOleSysError, EOleException,
  // EIntfCastError, EAssertionFailed.
  std::int32_t Speak(const std::u16string& text, std::uint32_t flags);

  // Connects when no voice is held; does nothing otherwise.
  void Connect();
  // Disconnects when a voice is held; does nothing otherwise.
  void Disconnect();
  // The held voice, connecting first when needed.
  std::shared_ptr<SpeechVoice> DefaultInterface();
  bool Connected() const { return static_cast<bool>(voice_); }

  bool AutoConnect = false;
  TConnectKind ConnectKind = TConnectKind::ckRunningOrNew;

 private:
  std::shared_ptr<SpeechObject> AcquireServer();
  std::shared_ptr<SpeechObject> CreateServerObject();
  [[noreturn]] void RaiseConnectError(HResult code);

  std::shared_ptr<SpeechServer> server_;
  std::shared_ptr<SpeechObject> object_;
  std::shared_ptr<SpeechVoice> voice_;
  bool eventsAdvised_ = false;
};

}  // namespace zembrot
