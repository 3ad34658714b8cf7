// Typed input and matching: the typed-text line, Enter, the celebration,
// speech, score, pause and speed-up.

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "content/string_list.h"
#include "frame/application.h"
#include "frame/timer.h"
#include "game_fixture.h"
#include "widgets/colors.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot::testing {
namespace {

const std::string kPrefix = " <LANG   LANGID= \"409 \"> ";

using TypingTest = GameTest;

struct MatchCase {
  const char* typed;
  const char* caption;
  const char* hint;
  bool matches;
};

class MatchTest : public GameTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(MatchTest, ComparesAsciiLoweredWithHintOrCaption) {
  const MatchCase& c = GetParam();
  form_->TopSlot = 0;
  PlaceWord(0, c.caption, c.hint, 100, 100);
  Type(c.typed);
  if (c.matches) ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->Score, c.matches ? 1 : 0);
  EXPECT_EQ(form_->WordSlots[0] == nullptr, c.matches);
  EXPECT_EQ(form_->TopSlot, c.matches ? -1 : 0);
  EXPECT_EQ(services_.sleeps.size(), c.matches ? 1u : 0u);
  EXPECT_TRUE(form_->TypedText.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MatchTest,
    ::testing::Values(MatchCase{"apple", "苹果", "apple", true}, MatchCase{"APPLE", "苹果", "apple", true},
                      MatchCase{"apple", "苹果", "ApPlE", true}, MatchCase{"苹果", "苹果", "apple", true},
                      MatchCase{"Apple", "APPLE", "苹果", true},  // after alternation
                      MatchCase{"appl", "苹果", "apple", false}, MatchCase{"apples", "苹果", "apple", false},
                      MatchCase{"apple ", "苹果", "apple", false}, MatchCase{"", "", "bread", true},
                      MatchCase{"", "苹果", "apple", false},
                      // Only A..Z are lowered: full-width letters must match exactly.
                      MatchCase{"ＡＢ", "ａｂ", "x", false}, MatchCase{"ａｂ", "ａｂ", "x", true}));

TEST_F(TypingTest, MatchScoresSpeaksPausesTalliesAndRemovesTheWord) {
  form_->TopSlot = 0;
  form_->HintText = G("苹果apple");
  form_->Timer2->SetEnabled(true);
  PlaceWord(0, "苹果", "apple", 100, 100);
  Type("apple");
  EXPECT_EQ(form_->ZbLabel1->Caption(), "apple");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->CheckBox1->Caption(), G("苹果apple"));
  EXPECT_EQ(form_->ZbLabel1->Caption(), "");
  EXPECT_EQ(form_->Score, 1);
  EXPECT_EQ(services_.sleeps, std::vector<int>{1000});
  ASSERT_EQ(speech_->Spoken().size(), 1u);
  EXPECT_EQ(speech_->SpokenTexts().at(0), kPrefix + "apple");
  EXPECT_EQ(speech_->Spoken().at(0).flags, 1u);
  EXPECT_EQ(TallyLines(), std::vector<std::string>{G("苹果apple;0")});
  EXPECT_EQ(form_->WordSlots[0], nullptr);
  EXPECT_TRUE(form_->ZbPanel1->findChildren<TZbLabel*>().empty());
  EXPECT_EQ(form_->TopSlot, -1);
  EXPECT_EQ(form_->Timer1->Interval(), 499u);
  EXPECT_FALSE(form_->Timer2->Enabled());
  EXPECT_TRUE(errors_.empty());
}

TEST_F(TypingTest, SpeechCarriesTheTypedTextAsTyped) {
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 100);
  Type("ApPLE");
  ExpectCelebration();
  Enter();
  ASSERT_EQ(speech_->SpokenTexts().size(), 1u);
  EXPECT_EQ(speech_->SpokenTexts().at(0), kPrefix + "ApPLE");
}

TEST_F(TypingTest, CelebrationIsShownBeforeThePause) {
  form_->TopSlot = 0;
  TZbLabel* word = PlaceWord(0, "苹果", "apple", 100, 100);
  bool sawPause = false;
  services_.onSleep = [&](int) {
    sawPause = true;
    ASSERT_EQ(form_->WordSlots[0], word);
    EXPECT_EQ(word->Font().Size(), 72);
    EXPECT_EQ(word->Font().Color(), RGB(10, 200, 254));
    EXPECT_EQ(word->Caption(), G("苹果apple"));
    EXPECT_EQ(form_->Score, 1);
    EXPECT_EQ(speech_->SpeakCalls(), 1);
    EXPECT_TRUE(TallyLines().empty());  // the tally comes after the pause
  };
  Type("apple");
  ExpectCelebration(10, 200, 254);
  Enter();
  EXPECT_TRUE(sawPause);
}

// What is on screen during the pause, not only the fields: the window's
// surface holds the enlarged word in its colour, from Left 200 on.
TEST_F(TypingTest, CelebratedWordIsOnScreenAtItsCappedPlaceDuringThePause) {
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  form_->TopSlot = 0;
  TZbLabel* word = PlaceWord(0, "苹果", "apple", 600, 100);
  QCoreApplication::processEvents();
  int inPlace = 0;
  int elsewhere = 0;
  services_.onSleep = [&](int) {
    const QImage shot = form_->screen()->grabWindow(form_->winId()).toImage();
    const QPoint field = form_->ZbPanel1->mapTo(form_.get(), QPoint(0, 0));
    for (int y = field.y(); y < field.y() + 450; ++y) {
      for (int x = field.x(); x < field.x() + 847; ++x) {
        if (shot.pixel(x, y) != qRgb(10, 200, 254)) continue;
        const bool inWord = x - field.x() >= 200 && x - field.x() < 200 + word->Width() && y - field.y() >= 100 &&
                            y - field.y() < 100 + word->Height();
        ++(inWord ? inPlace : elsewhere);
      }
    }
  };
  Type("apple");
  ExpectCelebration(10, 200, 254);
  Enter();
  EXPECT_GT(inPlace, 500);
  EXPECT_EQ(elsewhere, 0);
}

struct LeftCase {
  int left;
  int expected;
};

class CelebrationLeftTest : public GameTest, public ::testing::WithParamInterface<LeftCase> {};

TEST_P(CelebrationLeftTest, WordFurtherRightMovesTo200) {
  form_->TopSlot = 0;
  TZbLabel* word = PlaceWord(0, "苹果", "apple", GetParam().left, 100);
  int leftDuringPause = -1;
  services_.onSleep = [&](int) { leftDuringPause = word->Left(); };
  Type("apple");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(leftDuringPause, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cap, CelebrationLeftTest,
                         ::testing::Values(LeftCase{0, 0}, LeftCase{150, 150}, LeftCase{200, 200},
                                           LeftCase{201, 200}, LeftCase{779, 200}));

struct SpeedUpCase {
  unsigned before;
  unsigned after;
};

class MatchSpeedUpTest : public GameTest, public ::testing::WithParamInterface<SpeedUpCase> {};

TEST_P(MatchSpeedUpTest, MatchShortensTheIntervalOnlyAbove80) {
  form_->Timer1->SetInterval(GetParam().before);
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 100);
  Type("apple");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->Timer1->Interval(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Floor, MatchSpeedUpTest,
                         ::testing::Values(SpeedUpCase{500, 499}, SpeedUpCase{82, 81}, SpeedUpCase{81, 80},
                                           SpeedUpCase{80, 80}, SpeedUpCase{5, 5}));

TEST_F(TypingTest, TwoWordsMatchedByOneEnterPauseTwice) {
  form_->TopSlot = 2;
  PlaceWord(0, "苹果", "apple", 100, 100);
  TZbLabel* other = PlaceWord(1, "梨", "pear", 300, 100);
  PlaceWord(2, "苹果", "apple", 500, 100);
  Type("apple");
  ExpectCelebration();
  ExpectCelebration();
  Enter();
  EXPECT_EQ(services_.sleeps, (std::vector<int>{1000, 1000}));
  EXPECT_EQ(form_->Score, 2);
  EXPECT_EQ(speech_->SpokenTexts().size(), 2u);
  EXPECT_EQ(form_->WordSlots[0], nullptr);
  EXPECT_EQ(form_->WordSlots[1], other);
  EXPECT_EQ(form_->WordSlots[2], nullptr);
  EXPECT_EQ(form_->TopSlot, 0);
  EXPECT_EQ(TallyLines(), std::vector<std::string>{G("苹果apple;1")});
  EXPECT_EQ(form_->Timer1->Interval(), 498u);
}

TEST_F(TypingTest, TypedAmpersandIsShownAndMeasured) {
  Type("RD");
  const int withoutAmpersand = form_->ZbLabel1->Width();
  Key(8);
  Type("&D");
  EXPECT_EQ(form_->ZbLabel1->Caption(), "R&D");
  EXPECT_GT(form_->ZbLabel1->Width(), withoutAmpersand + 4);
}

TEST_F(TypingTest, WordsAboveTopSlotAreNotCompared) {
  form_->TopSlot = 1;
  TZbLabel* hidden = PlaceWord(2, "苹果", "apple", 100, 100);
  Type("apple");
  Enter();
  EXPECT_EQ(form_->WordSlots[2], hidden);
  EXPECT_EQ(form_->Score, 0);
  EXPECT_TRUE(form_->TypedText.empty());
  EXPECT_EQ(form_->ZbLabel1->Caption(), "");
}

TEST_F(TypingTest, EnterWithoutMatchStillConsumesTheTypedText) {
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 100);
  form_->HintText = "shown";
  Type("pear");
  Enter();
  EXPECT_EQ(form_->Score, 0);
  EXPECT_TRUE(form_->TypedText.empty());
  EXPECT_EQ(form_->ZbLabel1->Caption(), "");
  EXPECT_EQ(form_->CheckBox1->Caption(), "shown");
  EXPECT_TRUE(services_.sleeps.empty());
  EXPECT_EQ(speech_->SpeakCalls(), 0);
}

struct EditCase {
  const char* name;
  std::vector<char> keys;
  std::string expected;
};

class TypedTextTest : public GameTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(TypedTextTest, KeysEditTheTypedTextByteByByte) {
  for (const char key : GetParam().keys) Key(key);
  EXPECT_EQ(form_->TypedText, GetParam().expected) << GetParam().name;
  EXPECT_EQ(form_->ZbLabel1->Caption(), GetParam().expected) << GetParam().name;
}

std::vector<char> Bytes(const std::string& utf8, std::vector<char> tail = {}) {
  std::vector<char> keys;
  for (const char byte : G(utf8)) keys.push_back(byte);
  keys.insert(keys.end(), tail.begin(), tail.end());
  return keys;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedTextTest,
    ::testing::Values(EditCase{"letters", Bytes("apple"), "apple"},
                      EditCase{"backspace", Bytes("apple", {8}), "appl"},
                      EditCase{"backspace on empty", {8, 8}, ""},
                      EditCase{"backspace after a Chinese character", Bytes("苹", {8}), G("苹").substr(0, 1)},
                      EditCase{"Chinese character adds two bytes", Bytes("a苹"), G("a苹")},
                      EditCase{"Esc and Ctrl+A are appended", {'a', 27, 1}, std::string("a\x1b\x01")},
                      EditCase{"space", Bytes("ice cream"), "ice cream"}));

// Issue: a broken speech engine neither wedges the word nor nags at every
// match.
struct SpeechFailureCase {
  const char* name;
  bool failConnecting;
};

class SpeechFailureTest : public GameTest, public ::testing::WithParamInterface<SpeechFailureCase> {};

TEST_P(SpeechFailureTest, MatchCompletesSilentlyAndTheFailureIsReportedOnce) {
  if (GetParam().failConnecting) {
    speech_->FailConnecting(static_cast<HResult>(0x80040154), "no speech engine");
  } else {
    speech_->FailSpeaking(static_cast<HResult>(0x80045001), "the engine broke");
  }
  form_->TopSlot = 1;
  PlaceWord(0, "苹果", "apple", 100, 100);
  PlaceWord(1, "梨", "pear", 300, 100);
  // The report waits until the whole Enter is done.
  int scoreWhenReported = -1;
  SetErrorReporter([&](const std::exception& error) {
    errors_.emplace_back(error.what());
    scoreWhenReported = form_->Score;
    EXPECT_EQ(form_->WordSlots[0], nullptr);
  });
  Type("apple");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(scoreWhenReported, 1);
  EXPECT_EQ(form_->Score, 1);
  EXPECT_EQ(form_->WordSlots[0], nullptr);
  EXPECT_EQ(form_->TopSlot, 0);
  EXPECT_EQ(services_.sleeps.size(), 1u);
  EXPECT_EQ(TallyLines(), std::vector<std::string>{G("苹果apple;0")});
  EXPECT_EQ(form_->Timer1->Interval(), 499u);
  EXPECT_TRUE(form_->TypedText.empty());
  ASSERT_EQ(errors_.size(), 1u);

  // The next match tries to speak again but says nothing more.
  form_->TopSlot = 1;
  Type("pear");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->Score, 2);
  EXPECT_EQ(form_->WordSlots[1], nullptr);
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_EQ(speech_->SpeakCalls() + speech_->CreateInstanceCalls() >= 2, true);
}

INSTANTIATE_TEST_SUITE_P(Failures, SpeechFailureTest,
                         ::testing::Values(SpeechFailureCase{"connect", true}, SpeechFailureCase{"speak", false}),
                         [](const ::testing::TestParamInfo<SpeechFailureCase>& p) {
                           return std::string(p.param.name);
                         });

TEST_F(TypingTest, SpeechWorksAgainAfterTheEngineRecovers) {
  speech_->FailConnecting(static_cast<HResult>(0x80040154));
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 100);
  Type("apple");
  ExpectCelebration();
  Enter();
  speech_->SucceedConnecting();
  form_->TopSlot = 0;
  PlaceWord(0, "梨", "pear", 100, 100);
  Type("pear");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(speech_->SpokenTexts(), std::vector<std::string>{kPrefix + "pear"});
  EXPECT_EQ(errors_.size(), 1u);
}

}  // namespace
}  // namespace zembrot::testing
