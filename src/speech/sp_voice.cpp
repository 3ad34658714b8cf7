#include "speech/sp_voice.h"

#include <utility>

#include "base/errors.h"

namespace zembrot {

TSpVoice::TSpVoice(std::shared_ptr<SpeechServer> server) : server_(std::move(server)) {}

TSpVoice::~TSpVoice() { Disconnect(); }

std::int32_t TSpVoice::Speak(const std::u16string& text, std::uint32_t flags) {
  // A local reference keeps the voice alive even if an engine callback were
  // to disconnect the component during the call.
  const std::shared_ptr<SpeechVoice> voice = DefaultInterface();
  std::int32_t streamNumber = 0;
  const HResult result = voice->Speak(text, flags, streamNumber);
  if (result < 0) {
    SpeechErrorInfo info;
    if (!voice->TakeErrorInfo(info)) info = SpeechErrorInfo{};
    throw EOleException(info.description, result, info.source, info.helpFile, info.helpContext);
  }
  return streamNumber;
}

void TSpVoice::Connect() {
  if (voice_) return;
  // Nothing is remembered until the voice is held, so a failure anywhere
  // below leaves the component as it was and the next call starts over.
  std::shared_ptr<SpeechObject> object = AcquireServer();
  if (!object) return;  // ckAttachToInterface acquires nothing
  const bool advised = object->AdviseEvents();
  std::shared_ptr<SpeechVoice> voice = object->QueryVoice();
  if (!voice) {
    // Withdraw the sink again so that a retried connection does not pile up
    // event connections on an object we never hold.
    if (advised) object->UnadviseEvents();
    throw EIntfCastError("Interface not supported");
  }
  object_ = std::move(object);
  voice_ = std::move(voice);
  eventsAdvised_ = advised;
}

void TSpVoice::Disconnect() {
  if (!voice_) return;
  if (eventsAdvised_) object_->UnadviseEvents();
  eventsAdvised_ = false;
  voice_.reset();
  object_.reset();
}

std::shared_ptr<SpeechVoice> TSpVoice::DefaultInterface() {
  if (!voice_) Connect();
  if (!voice_) {
    throw EAssertionFailed(
        "DefaultInterface is NULL. Component is not connected to Server. You must call 'Connect' or "
        "'ConnectTo' before this operation");
  }
  return voice_;
}

std::shared_ptr<SpeechObject> TSpVoice::AcquireServer() {
  switch (ConnectKind) {
    case TConnectKind::ckRunningOrNew: {
      std::shared_ptr<SpeechObject> object;
      if (server_ && server_->GetActiveObject(object) >= 0 && object) return object;
      return CreateServerObject();
    }
    case TConnectKind::ckNewInstance:
      return CreateServerObject();
    case TConnectKind::ckRunningInstance: {
      std::shared_ptr<SpeechObject> object;
      const HResult result = server_ ? server_->GetActiveObject(object) : CLASS_NOT_REGISTERED_RESULT;
      if (result < 0) throw EOleSysError("", result);
      if (!object) throw EIntfCastError("Interface not supported");
      return object;
    }
    case TConnectKind::ckRemote:
      // No engine here runs on another machine.
      throw EOleSysError("", E_NOTIMPL_RESULT);
    case TConnectKind::ckAttachToInterface:
      return nullptr;
  }
  return nullptr;
}

std::shared_ptr<SpeechObject> TSpVoice::CreateServerObject() {
  if (!server_) throw EOleSysError("", CLASS_NOT_REGISTERED_RESULT);
  std::shared_ptr<SpeechObject> object;
  const HResult result = server_->CreateInstance(object);
  if (result < 0) RaiseConnectError(result);
  // A server that claims success but hands out nothing offers no voice.
  if (!object) throw EIntfCastError("Interface not supported");
  return object;
}

void TSpVoice::RaiseConnectError(HResult code) {
  // The platform engine leaves the text to the system (an empty message);
  // an engine that knows more, such as a missing audio device, says so.
  SpeechErrorInfo info;
  if (!server_->TakeErrorInfo(info)) info = SpeechErrorInfo{};
  throw EOleSysError(TrimTrailingBlanksAndStops(info.description), code);
}

}  // namespace zembrot
