// The platform speech engine on Windows, reached through COM: the voice
// class SpVoice and its automation interface ISpeechVoice. The frame makes
// the GUI thread a single-threaded apartment at start-up
// (InitializeSpeechThread) and leaves it at exit.

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <ocidl.h>
#include <sapi.h>

#include <atomic>
#include <string>
#include <utility>

#include "base/code_page.h"
#include "speech/speech_server.h"

namespace zembrot {

namespace {

// {96749377-3391-11D2-9EE3-00C04F797396}: the voice class.
constexpr CLSID kVoiceClassId = {0x96749377, 0x3391, 0x11D2, {0x9E, 0xE3, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
// {269316D8-57BD-11D2-9EEE-00C04F797396}: its default interface.
constexpr IID kVoiceInterfaceId = {0x269316D8, 0x57BD, 0x11D2, {0x9E, 0xEE, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
// {A372ACD1-3BEF-4BBD-8FFB-CB3E2B416AF8}: its event interface.
constexpr IID kVoiceEventsId = {0xA372ACD1, 0x3BEF, 0x4BBD, {0x8F, 0xFB, 0xCB, 0x3E, 0x2B, 0x41, 0x6A, 0xF8}};

// Holds one COM reference and releases it.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(Interface* pointer) : pointer_(pointer) {}
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  void Reset() {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }
  Interface* Get() const { return pointer_; }
  Interface** Out() {
    Reset();
    return &pointer_;
  }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

std::string BstrToCodePage(BSTR text) {
  if (text == nullptr) return {};
  return Utf16ToCodePage(std::u16string_view(reinterpret_cast<const char16_t*>(text), SysStringLen(text)));
}

// COM interfaces have no virtual destructor by design (an object frees
// itself in Release); GCC warns about deriving from one all the same.
#ifdef __GNUC__
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// The event sink: the game handles none of the voice's events, so every
// event is received and dropped.
class EventSink final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) || IsEqualIID(id, kVoiceEventsId)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return S_OK;
  }

 private:
  ~EventSink() = default;  // freed by its last Release only
  std::atomic<ULONG> references_{1};
};

#ifdef __GNUC__
#pragma GCC diagnostic pop
#endif

class SapiVoice : public SpeechVoice {
 public:
  explicit SapiVoice(ComRef<ISpeechVoice> voice) : voice_(std::move(voice)) {}

  HResult Speak(const std::u16string& text, std::uint32_t flags, std::int32_t& streamNumber) override {
    BSTR textBstr = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    if (textBstr == nullptr && !text.empty()) return E_OUTOFMEMORY;
    long stream = 0;
    const HRESULT result = voice_.Get()->Speak(textBstr, static_cast<SpeechVoiceSpeakFlags>(flags), &stream);
    SysFreeString(textBstr);
    if (SUCCEEDED(result)) streamNumber = static_cast<std::int32_t>(stream);
    return static_cast<HResult>(result);
  }

  bool TakeErrorInfo(SpeechErrorInfo& info) override {
    ComRef<IErrorInfo> errorInfo;
    if (::GetErrorInfo(0, errorInfo.Out()) != S_OK || !errorInfo) return false;
    BSTR text = nullptr;
    if (SUCCEEDED(errorInfo.Get()->GetSource(&text))) info.source = BstrToCodePage(text);
    SysFreeString(std::exchange(text, nullptr));
    if (SUCCEEDED(errorInfo.Get()->GetDescription(&text))) info.description = BstrToCodePage(text);
    SysFreeString(std::exchange(text, nullptr));
    if (SUCCEEDED(errorInfo.Get()->GetHelpFile(&text))) info.helpFile = BstrToCodePage(text);
    SysFreeString(std::exchange(text, nullptr));
    DWORD context = 0;
    if (SUCCEEDED(errorInfo.Get()->GetHelpContext(&context))) info.helpContext = static_cast<int>(context);
    return true;
  }

  ISpeechVoice* Get() const { return voice_.Get(); }

 private:
  ComRef<ISpeechVoice> voice_;
};

class SapiObject : public SpeechObject {
 public:
  explicit SapiObject(ComRef<IUnknown> unknown) : unknown_(std::move(unknown)) {}
  ~SapiObject() override {
    UnadviseEvents();
    if (sink_ != nullptr) sink_->Release();
  }

  std::shared_ptr<SpeechVoice> QueryVoice() override {
    ComRef<ISpeechVoice> voice;
    if (FAILED(unknown_.Get()->QueryInterface(kVoiceInterfaceId, reinterpret_cast<void**>(voice.Out()))) || !voice) {
      return nullptr;
    }
    return std::make_shared<SapiVoice>(std::move(voice));
  }

  // An engine without the connection point, or one that refuses the sink,
  // is used without events.
  bool AdviseEvents() override {
    ComRef<IConnectionPointContainer> container;
    if (FAILED(unknown_.Get()->QueryInterface(IID_IConnectionPointContainer,
                                              reinterpret_cast<void**>(container.Out()))) ||
        !container) {
      return false;
    }
    ComRef<IConnectionPoint> point;
    if (FAILED(container.Get()->FindConnectionPoint(kVoiceEventsId, point.Out())) || !point) return false;
    if (sink_ == nullptr) sink_ = new EventSink;  // starts with the one reference this object owns
    DWORD cookie = 0;
    if (FAILED(point.Get()->Advise(sink_, &cookie))) return false;
    cookie_ = cookie;
    return true;
  }

  void UnadviseEvents() override {
    if (cookie_ == 0) return;
    ComRef<IConnectionPointContainer> container;
    if (FAILED(unknown_.Get()->QueryInterface(IID_IConnectionPointContainer,
                                              reinterpret_cast<void**>(container.Out()))) ||
        !container) {
      return;
    }
    ComRef<IConnectionPoint> point;
    if (FAILED(container.Get()->FindConnectionPoint(kVoiceEventsId, point.Out())) || !point) return;
    // The cookie is cleared only once the engine has let go of the sink.
    if (SUCCEEDED(point.Get()->Unadvise(cookie_))) cookie_ = 0;
  }

 private:
  ComRef<IUnknown> unknown_;
  EventSink* sink_ = nullptr;  // one reference held while not null
  DWORD cookie_ = 0;
};

class SapiSpeechServer : public SpeechServer {
 public:
  HResult GetActiveObject(std::shared_ptr<SpeechObject>& object) override {
    ComRef<IUnknown> unknown;
    const HRESULT result = ::GetActiveObject(kVoiceClassId, nullptr, unknown.Out());
    if (FAILED(result)) return static_cast<HResult>(result);
    if (!unknown) return E_POINTER;
    object = std::make_shared<SapiObject>(std::move(unknown));
    return S_OK;
  }

  HResult CreateInstance(std::shared_ptr<SpeechObject>& object) override {
    ComRef<IUnknown> unknown;
    const HRESULT result = CoCreateInstance(kVoiceClassId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                            IID_IUnknown, reinterpret_cast<void**>(unknown.Out()));
    if (FAILED(result)) return static_cast<HResult>(result);
    if (!unknown) return E_POINTER;
    object = std::make_shared<SapiObject>(std::move(unknown));
    return S_OK;
  }
};

}  // namespace

std::shared_ptr<SpeechServer> CreatePlatformSpeechServer() { return std::make_shared<SapiSpeechServer>(); }

namespace {

int initializations = 0;  // successful CoInitialize calls not yet balanced

}  // namespace

bool InitializeSpeechThread() {
  // S_FALSE (already initialised on this thread) counts as success: it too
  // must be balanced by CoUninitialize.
  if (FAILED(CoInitialize(nullptr))) return false;
  ++initializations;
  return true;
}

void UninitializeSpeechThread(bool initialized) {
  if (!initialized) return;
  CoUninitialize();
  if (initializations > 0) --initializations;
}

bool SpeechThreadInitialized() { return initializations > 0; }

}  // namespace zembrot
