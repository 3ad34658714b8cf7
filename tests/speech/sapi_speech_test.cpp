// The platform speech engine of Windows, through COM. COM itself runs
// everywhere the tests do (Wine included); speaking needs an installed voice,
// which Wine has not, so those tests are skipped there with a message.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/errors.h"
#include "speech/sp_voice.h"
#include "speech/speech_server.h"

namespace zembrot {
namespace {

// What answers when COM was not set up on the thread.
constexpr HResult kNotInitialized = static_cast<HResult>(0x800401F0);

// True when a voice of the speech engine is installed: a voice token that
// names the class of the engine that speaks it. (Wine lists a default voice
// with no engine behind it.)
bool VoiceInstalled() {
  HKEY tokens = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens", 0, KEY_READ, &tokens) !=
      ERROR_SUCCESS) {
    return false;
  }
  bool found = false;
  wchar_t name[256];
  for (DWORD index = 0; !found; ++index) {
    DWORD nameLength = 256;
    if (RegEnumKeyExW(tokens, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    wchar_t classId[64];
    DWORD classIdSize = sizeof classId;
    found = RegGetValueW(tokens, name, L"CLSID", RRF_RT_REG_SZ, nullptr, classId, &classIdSize) == ERROR_SUCCESS;
  }
  RegCloseKey(tokens);
  return found;
}

// Wine's voice object has neither a voice to speak with nor events.
#define SKIP_WITHOUT_VOICE()    \
  if (!VoiceInstalled())        \
  GTEST_SKIP() << "needs the real speech engine with an installed voice; this system has none (Wine has none)"

// COM for the test's thread, as the frame sets it up for the GUI thread.
class SpeechThread {
 public:
  SpeechThread() : initialized_(InitializeSpeechThread()) {}
  ~SpeechThread() { UninitializeSpeechThread(initialized_); }
  SpeechThread(const SpeechThread&) = delete;
  SpeechThread& operator=(const SpeechThread&) = delete;
  bool Initialized() const { return initialized_; }

 private:
  bool initialized_;
};

TEST(SapiSpeechThread, InitializationsNestAndEachIsBalanced) {
  ASSERT_FALSE(SpeechThreadInitialized());
  const bool outer = InitializeSpeechThread();
  ASSERT_TRUE(outer);
  const bool inner = InitializeSpeechThread();  // already set up: S_FALSE, still counted
  ASSERT_TRUE(inner);
  UninitializeSpeechThread(inner);
  EXPECT_TRUE(SpeechThreadInitialized());
  UninitializeSpeechThread(false);  // a failed set-up has nothing to undo
  EXPECT_TRUE(SpeechThreadInitialized());
  UninitializeSpeechThread(outer);
  EXPECT_FALSE(SpeechThreadInitialized());
}

TEST(SapiSpeechServer, WithoutComOnTheThreadNothingIsCreated) {
  ASSERT_FALSE(SpeechThreadInitialized());
  const std::shared_ptr<SpeechServer> server = CreatePlatformSpeechServer();
  std::shared_ptr<SpeechObject> object;
  EXPECT_EQ(server->CreateInstance(object), kNotInitialized);
  EXPECT_EQ(object, nullptr);
}

TEST(SapiSpeechServer, NoVoiceIsRunningBeforeOneIsCreated) {
  const SpeechThread thread;
  ASSERT_TRUE(thread.Initialized());
  std::shared_ptr<SpeechObject> object;
  EXPECT_EQ(CreatePlatformSpeechServer()->GetActiveObject(object), OPERATION_UNAVAILABLE_RESULT);
  EXPECT_EQ(object, nullptr);
}

TEST(SapiSpeechServer, NoVoiceIsRunningForTheComponentEither) {
  const SpeechThread thread;
  TSpVoice voice(CreatePlatformSpeechServer());
  voice.ConnectKind = TConnectKind::ckRunningInstance;
  try {
    voice.Connect();
    FAIL() << "connected to a voice that nobody started";
  } catch (const EOleSysError& error) {
    EXPECT_EQ(error.ErrorCode(), OPERATION_UNAVAILABLE_RESULT);
    EXPECT_EQ(error.Message(), OleErrorMessage(OPERATION_UNAVAILABLE_RESULT));
  }
  EXPECT_FALSE(voice.Connected());
}

TEST(SapiSpeechServer, CreatesTheVoiceObjectWithItsVoiceInterface) {
  const SpeechThread thread;
  std::shared_ptr<SpeechObject> object;
  ASSERT_EQ(CreatePlatformSpeechServer()->CreateInstance(object), S_OK_RESULT);
  ASSERT_NE(object, nullptr);
  EXPECT_NE(object->QueryVoice(), nullptr);
}

TEST(SapiSpeechServer, AdvisesTheEventSinkAndWithdrawsIt) {
  SKIP_WITHOUT_VOICE();
  const SpeechThread thread;
  std::shared_ptr<SpeechObject> object;
  ASSERT_EQ(CreatePlatformSpeechServer()->CreateInstance(object), S_OK_RESULT);
  EXPECT_TRUE(object->AdviseEvents());
  object->UnadviseEvents();
  object->UnadviseEvents();  // once withdrawn, nothing is left to withdraw
}

TEST(SapiSpeechServer, TheComponentSpeaksAWord) {
  SKIP_WITHOUT_VOICE();
  const SpeechThread thread;
  TSpVoice voice(CreatePlatformSpeechServer());
  // Spoken to the end before Speak returns, so a failure shows here.
  voice.Speak(u" <LANG   LANGID= \"409 \"> apple", 0);
  EXPECT_TRUE(voice.Connected());
  voice.Speak(u"pear", SPEAK_ASYNC | SPEAK_PURGE_BEFORE);
}

}  // namespace
}  // namespace zembrot
