#include "speech/sp_voice.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>

#include "base/errors.h"
#include "speech/recording_speech_server.h"

namespace zembrot {
namespace {

// The game's text for "apple": the 25-byte language element, then the word.
const std::u16string kAppleText = u" <LANG   LANGID= \"409 \"> apple";

class SpVoiceTest : public ::testing::Test {
 protected:
  std::shared_ptr<RecordingSpeechServer> server_ = std::make_shared<RecordingSpeechServer>();
};

TEST_F(SpVoiceTest, ConstructionTouchesNothing) {
  {
    TSpVoice voice(server_);
    EXPECT_FALSE(voice.Connected());
    EXPECT_FALSE(voice.AutoConnect);
    EXPECT_EQ(voice.ConnectKind, TConnectKind::ckRunningOrNew);
  }
  EXPECT_EQ(server_->GetActiveObjectCalls(), 0);
  EXPECT_EQ(server_->CreateInstanceCalls(), 0);
  EXPECT_EQ(server_->AdviseCalls(), 0);
}

// One row: a sequence of Speak calls under given engine behaviour, and the
// calls the engine must have seen afterwards.
struct LifecycleCase {
  const char* name;
  bool runningObject;
  int speaks;
  std::function<void(RecordingSpeechServer&, int)> beforeSpeak;  // per call index
  int expectedGetActive;
  int expectedCreate;
  int expectedSpeakCalls;
  int expectedFailures;
  bool connectedAfter;
};

class SpVoiceLifecycleTest : public ::testing::TestWithParam<LifecycleCase> {};

TEST_P(SpVoiceLifecycleTest, ConnectsOnceAndRetriesFailedConnections) {
  const LifecycleCase& row = GetParam();
  auto server = std::make_shared<RecordingSpeechServer>();
  server->SetRunningObject(row.runningObject);
  TSpVoice voice(server);
  int failures = 0;
  for (int i = 0; i < row.speaks; ++i) {
    if (row.beforeSpeak) row.beforeSpeak(*server, i);
    try {
      voice.Speak(kAppleText, 1);
    } catch (const EOleSysError&) {
      ++failures;
    }
  }
  EXPECT_EQ(server->GetActiveObjectCalls(), row.expectedGetActive);
  EXPECT_EQ(server->CreateInstanceCalls(), row.expectedCreate);
  EXPECT_EQ(server->SpeakCalls(), row.expectedSpeakCalls);
  EXPECT_EQ(failures, row.expectedFailures);
  EXPECT_EQ(voice.Connected(), row.connectedAfter);
}

const LifecycleCase kLifecycleCases[] = {
    {"FirstSpeakCreatesSecondReuses", false, 2, nullptr, 1, 1, 2, 0, true},
    {"RunningObjectIsUsedFirst", true, 3, nullptr, 1, 0, 3, 0, true},
    {"FailedConnectIsRetriedInFull", false, 3,
     [](RecordingSpeechServer& s, int) { s.FailConnecting(static_cast<HResult>(0x80040154)); }, 3, 3, 0, 3, false},
    {"ConnectSucceedsAfterFailures", false, 4,
     [](RecordingSpeechServer& s, int i) {
       if (i < 2) s.FailConnecting(static_cast<HResult>(0x80070005)); else s.SucceedConnecting();
     },
     3, 3, 2, 2, true},
    {"FailedSpeakStaysConnected", false, 3,
     [](RecordingSpeechServer& s, int i) {
       if (i == 1) s.FailSpeaking(static_cast<HResult>(0x80045001), "Busy"); else s.SucceedSpeaking();
     },
     1, 1, 3, 1, true},
};

INSTANTIATE_TEST_SUITE_P(Table, SpVoiceLifecycleTest, ::testing::ValuesIn(kLifecycleCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SpVoiceTest, PassesTextAndFlagsAndReturnsTheStreamNumber) {
  TSpVoice voice(server_);
  EXPECT_EQ(voice.Speak(kAppleText, 1), 1);
  EXPECT_EQ(voice.Speak(u" <LANG   LANGID= \"409 \"> pear", 0), 2);
  ASSERT_EQ(server_->Spoken().size(), 2u);
  EXPECT_EQ(server_->Spoken()[0].text, kAppleText);
  EXPECT_EQ(server_->Spoken()[0].flags, 1u);
  EXPECT_EQ(server_->Spoken()[1].flags, 0u);
  EXPECT_EQ(server_->SpokenTexts()[0], " <LANG   LANGID= \"409 \"> apple");
  EXPECT_EQ(server_->SpokenTexts()[0].size(), 25u + 5u);
}

TEST_F(SpVoiceTest, DestructionAndDisconnectReleaseEverything) {
  {
    TSpVoice voice(server_);
    voice.Speak(kAppleText, 1);
    EXPECT_EQ(server_->LiveObjects(), 1);
    EXPECT_EQ(server_->LiveVoices(), 1);
    EXPECT_EQ(server_->AdviseCalls(), 1);
    voice.Disconnect();
    EXPECT_FALSE(voice.Connected());
    EXPECT_EQ(server_->UnadviseCalls(), 1);
    EXPECT_EQ(server_->LiveObjects(), 0);
    EXPECT_EQ(server_->LiveVoices(), 0);
    voice.Disconnect();  // nothing held: nothing happens
    EXPECT_EQ(server_->UnadviseCalls(), 1);
    voice.Speak(kAppleText, 1);  // connects again, in full
    EXPECT_EQ(server_->CreateInstanceCalls(), 2);
  }
  EXPECT_EQ(server_->UnadviseCalls(), 2);
  EXPECT_EQ(server_->LiveObjects(), 0);
  EXPECT_EQ(server_->LiveVoices(), 0);
}

TEST_F(SpVoiceTest, EngineWithoutEventsIsUsedWithoutThem) {
  server_->SetEventsOffered(false);
  {
    TSpVoice voice(server_);
    voice.Speak(kAppleText, 1);
    EXPECT_TRUE(voice.Connected());
  }
  EXPECT_EQ(server_->AdviseCalls(), 1);
  EXPECT_EQ(server_->UnadviseCalls(), 0);  // nothing was advised, nothing to withdraw
}

TEST_F(SpVoiceTest, ConnectAndDefaultInterfaceConnectOnlyOnce) {
  TSpVoice voice(server_);
  voice.Connect();
  voice.Connect();
  const std::shared_ptr<SpeechVoice> first = voice.DefaultInterface();
  EXPECT_EQ(voice.DefaultInterface(), first);
  EXPECT_EQ(server_->CreateInstanceCalls(), 1);
  EXPECT_EQ(server_->AdviseCalls(), 1);
}

TEST_F(SpVoiceTest, ObjectWithoutVoiceInterfaceHoldsNothing) {
  server_->SetVoiceInterfaceMissing(true);
  TSpVoice voice(server_);
  for (int attempt = 1; attempt <= 2; ++attempt) {
    try {
      voice.Speak(kAppleText, 1);
      FAIL() << "Speak succeeded without a voice interface";
    } catch (const EIntfCastError& error) {
      EXPECT_STREQ(error.what(), "Interface not supported");
    }
    EXPECT_FALSE(voice.Connected());
    EXPECT_EQ(server_->LiveObjects(), 0);
    // The sink advised on the object is withdrawn again each time.
    EXPECT_EQ(server_->AdviseCalls(), attempt);
    EXPECT_EQ(server_->UnadviseCalls(), attempt);
    EXPECT_EQ(server_->CreateInstanceCalls(), attempt);
  }
  server_->SetVoiceInterfaceMissing(false);
  voice.Speak(kAppleText, 1);
  EXPECT_TRUE(voice.Connected());
}

// In place of a message: the platform's text for the row's code (the
// platform's words in its own language, or "OLE error XXXXXXXX" where it has
// none).
const std::string kSystemText = "(system text)";

// One row: how the engine fails, the class raised and its message.
struct ErrorCase {
  const char* name;
  std::function<void(RecordingSpeechServer&)> arrange;
  const std::type_info* errorClass;
  std::string message;
  HResult code;
};

class SpVoiceErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(SpVoiceErrorTest, RaisesTheRightClassAndMessage) {
  const ErrorCase& row = GetParam();
  auto server = std::make_shared<RecordingSpeechServer>();
  row.arrange(*server);
  TSpVoice voice(server);
  try {
    voice.Speak(kAppleText, 1);
    FAIL() << "no error raised";
  } catch (const EOleSysError& error) {
    EXPECT_EQ(typeid(error), *row.errorClass);
    EXPECT_EQ(error.Message(), row.message == kSystemText ? OleErrorMessage(row.code) : row.message);
    EXPECT_EQ(error.ErrorCode(), row.code);
  }
}

const HResult kNoSystemText = static_cast<HResult>(0x8004503A);

const ErrorCase kErrorCases[] = {
    {"ConnectUsesSystemText", [](RecordingSpeechServer& s) { s.FailConnecting(static_cast<HResult>(0x80040154)); },
     &typeid(EOleSysError), kSystemText, static_cast<HResult>(0x80040154)},
    {"ConnectSystemTextLosesItsFullStop",
     [](RecordingSpeechServer& s) { s.FailConnecting(static_cast<HResult>(0x80070005)); }, &typeid(EOleSysError),
     kSystemText, static_cast<HResult>(0x80070005)},
    {"ConnectFallsBackToCode", [](RecordingSpeechServer& s) { s.FailConnecting(kNoSystemText); },
     &typeid(EOleSysError), "OLE error 8004503A", kNoSystemText},
    {"ConnectUsesTheEngineReason",
     [](RecordingSpeechServer& s) { s.FailConnecting(kNoSystemText, "Cannot open the audio output. \n"); },
     &typeid(EOleSysError), "Cannot open the audio output", kNoSystemText},
    {"SpeakDescriptionTrimmed",
     [](RecordingSpeechServer& s) { s.FailSpeaking(kNoSystemText, "The voice is busy.. \r\n\t"); },
     &typeid(EOleException), "The voice is busy", kNoSystemText},
    {"SpeakDescriptionDoubleByteEndKept",
     [](RecordingSpeechServer& s) { s.FailSpeaking(kNoSystemText, "\xD3\xEF\xD2\xF4\xC3\xA6"); },  // 语音忙
     &typeid(EOleException), "\xD3\xEF\xD2\xF4\xC3\xA6", kNoSystemText},
    {"SpeakDescriptionTrailByteLikeFullStopKept",
     // The last character is a lead byte with "." as its trail byte.
     [](RecordingSpeechServer& s) { s.FailSpeaking(kNoSystemText, "busy \x81."); }, &typeid(EOleException),
     "busy \x81.", kNoSystemText},
    {"SpeakDoubleByteThenBlanksTrimmed",
     [](RecordingSpeechServer& s) { s.FailSpeaking(kNoSystemText, "\xC3\xA6. "); }, &typeid(EOleException),
     "\xC3\xA6", kNoSystemText},
    {"SpeakEmptyDescriptionUsesSystemText",
     [](RecordingSpeechServer& s) { s.FailSpeaking(static_cast<HResult>(0x80004005), " . "); },
     &typeid(EOleException), kSystemText, static_cast<HResult>(0x80004005)},
    {"SpeakWithoutErrorInfoUsesSystemText",
     [](RecordingSpeechServer& s) { s.FailSpeaking(static_cast<HResult>(0x8007000E), "ignored", false); },
     &typeid(EOleException), kSystemText, static_cast<HResult>(0x8007000E)},
    {"SpeakWithoutAnyTextFallsBackToCode",
     [](RecordingSpeechServer& s) { s.FailSpeaking(kNoSystemText, "", false); }, &typeid(EOleException),
     "OLE error 8004503A", kNoSystemText},
    {"SpeakFallbackKeepsLeadingZeros",
     [](RecordingSpeechServer& s) { s.FailSpeaking(static_cast<HResult>(0x8000000A), ""); },
     &typeid(EOleException), "OLE error 8000000A", static_cast<HResult>(0x8000000A)},
};

INSTANTIATE_TEST_SUITE_P(Table, SpVoiceErrorTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SpVoiceTest, SpeakErrorCarriesSourceAndHelpFile) {
  server_->FailSpeaking(kNoSystemText, "Busy", true, "Speech engine", "speech.hlp", 42);
  TSpVoice voice(server_);
  try {
    voice.Speak(kAppleText, 1);
    FAIL() << "no error raised";
  } catch (const EOleException& error) {
    EXPECT_EQ(error.Source(), "Speech engine");
    EXPECT_EQ(error.HelpFile(), "speech.hlp");
    EXPECT_EQ(error.HelpContext(), 42);
  }
  // Error information is taken once: a second failure without any gets none.
  server_->FailSpeaking(kNoSystemText, "", false);
  try {
    voice.Speak(kAppleText, 1);
    FAIL() << "no error raised";
  } catch (const EOleException& error) {
    EXPECT_EQ(error.Source(), "");
    EXPECT_EQ(error.Message(), "OLE error 8004503A");
  }
}

TEST_F(SpVoiceTest, ConnectKindsOtherThanRunningOrNew) {
  struct Row {
    TConnectKind kind;
    bool runningObject;
    int expectedGetActive;
    int expectedCreate;
    std::string error;  // empty: connects
  };
  const Row rows[] = {
      {TConnectKind::ckNewInstance, true, 0, 1, ""},
      {TConnectKind::ckRunningInstance, true, 1, 0, ""},
      {TConnectKind::ckRunningInstance, false, 1, 0, OleErrorMessage(OPERATION_UNAVAILABLE_RESULT)},
      {TConnectKind::ckRemote, true, 0, 0, OleErrorMessage(E_NOTIMPL_RESULT)},
      {TConnectKind::ckAttachToInterface, true, 0, 0,
       "DefaultInterface is NULL. Component is not connected to Server. You must call 'Connect' or 'ConnectTo' "
       "before this operation"},
  };
  for (const Row& row : rows) {
    auto server = std::make_shared<RecordingSpeechServer>();
    server->SetRunningObject(row.runningObject);
    TSpVoice voice(server);
    voice.ConnectKind = row.kind;
    std::string error;
    try {
      voice.Speak(kAppleText, 1);
    } catch (const Exception& raised) {
      error = raised.Message();
    }
    SCOPED_TRACE(static_cast<int>(row.kind));
    EXPECT_EQ(error, row.error);
    EXPECT_EQ(server->GetActiveObjectCalls(), row.expectedGetActive);
    EXPECT_EQ(server->CreateInstanceCalls(), row.expectedCreate);
    EXPECT_EQ(voice.Connected(), row.error.empty());
  }
}

TEST(SpVoiceWithoutServerTest, BehavesAsAnEngineThatIsNotInstalled) {
  TSpVoice voice(nullptr);
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      voice.Speak(kAppleText, 1);
      FAIL() << "Speak succeeded without an engine";
    } catch (const EOleSysError& error) {
      EXPECT_EQ(error.Message(), OleErrorMessage(CLASS_NOT_REGISTERED_RESULT));
      EXPECT_EQ(error.ErrorCode(), CLASS_NOT_REGISTERED_RESULT);
    }
  }
  EXPECT_FALSE(voice.Connected());
}

}  // namespace
}  // namespace zembrot
