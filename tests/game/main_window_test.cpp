// The main window as the layout builds it, and the wiring of its handlers.

#include <functional>

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QInputMethod>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QThread>
#include <QMouseEvent>
#include <QTest>

#include "app/main_window_layout.h"
#include "base/code_page.h"
#include "content/string_list.h"
#include "frame/application.h"
#include "frame/menu.h"
#include "frame/open_dialog.h"
#include "frame/timer.h"
#include "game_fixture.h"
#include "speech/sp_voice.h"
#include "widgets/speed_button.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot::testing {
namespace {

using MainWindowTest = GameTest;

struct BoundsCase {
  const char* name;
  int left;
  int top;
  int width;
  int height;
};

class ControlBoundsTest : public GameTest, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(ControlBoundsTest, ControlSitsWhereTheLayoutPutsIt) {
  const BoundsCase& c = GetParam();
  const QWidget* control = form_->ClientArea()->findChild<QWidget*>(c.name, Qt::FindDirectChildrenOnly);
  ASSERT_NE(control, nullptr) << c.name;
  EXPECT_EQ(control->geometry(), QRect(c.left, c.top, c.width, c.height)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Layout, ControlBoundsTest,
                         ::testing::Values(BoundsCase{"SpeedButton1", 152, 480, 81, 25},
                                           BoundsCase{"CheckBox1", 256, 480, 585, 25},
                                           BoundsCase{"ZbPanel1", 0, 0, 847, 450}),
                         [](const ::testing::TestParamInfo<BoundsCase>& p) { return std::string(p.param.name); });

TEST_F(MainWindowTest, WindowAndControlsCarryTheirStoredProperties) {
  EXPECT_EQ(form_->Caption(), "Zembrot 1.01");
  EXPECT_TRUE(form_->KeyPreview());
  EXPECT_EQ(form_->ClientArea()->width(), 847);
  EXPECT_EQ(form_->ClientArea()->height(), 510);
  EXPECT_EQ(form_->SpeedButton1->Caption(), "\xBF\xAA \xCA\xBC");  // GBK bytes
  EXPECT_EQ(form_->ZbLabel1->Left(), 8);
  EXPECT_EQ(form_->ZbLabel1->Top(), 480);
  EXPECT_EQ(form_->ZbLabel1->Caption(), "");
  EXPECT_EQ(form_->ZbLabel1->Font().Name(), "\xCB\xCE\xCC\xE5");
  EXPECT_EQ(form_->ZbLabel1->Font().Height(), -19);
  EXPECT_FALSE(form_->ZbLabel1->ShowAccelChar());
  EXPECT_FALSE(form_->CheckBox1->ShowAccelChar());
  EXPECT_EQ(form_->CheckBox1->Caption(), "\xD3\xA2\xCE\xC4\xCC\xE1\xCA\xBE");
  EXPECT_EQ(form_->CheckBox1->Font().Name(), "\xCB\xCE\xCC\xE5");
  EXPECT_EQ(form_->CheckBox1->Font().Height(), -19);
  EXPECT_TRUE(form_->CheckBox1->HotTrack());
  EXPECT_FALSE(form_->CheckBox1->TabStop());
  EXPECT_FALSE(form_->CheckBox1->Checked());
  EXPECT_TRUE(form_->CheckBox1->Enabled());
  EXPECT_EQ(form_->ZbPanel1->BorderOuter(), TFrameStyleEx::fsFlat);
  // Windowed controls lie above the graphic ones.
  const QObjectList& children = form_->ClientArea()->children();
  EXPECT_LT(children.indexOf(form_->SpeedButton1), children.indexOf(form_->CheckBox1));
  EXPECT_LT(children.indexOf(form_->ZbLabel1), children.indexOf(form_->ZbPanel1));
}

TEST_F(MainWindowTest, PlayFieldFollowsTheWidthAndKeepsItsHeight) {
  form_->show();
  form_->resize(1000, form_->height() + 100);
  QApplication::processEvents();
  EXPECT_EQ(form_->ClientArea()->width(), 1000);
  EXPECT_EQ(form_->ZbPanel1->width(), form_->ClientArea()->width());
  EXPECT_EQ(form_->ZbPanel1->height(), 450);
  EXPECT_EQ(form_->SpeedButton1->geometry().topLeft(), QPoint(152, 480));
}

struct TimerCase {
  const char* name;
  unsigned interval;
};

class TimerLayoutTest : public GameTest, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(TimerLayoutTest, TimerStartsOffWithItsInterval) {
  const TTimer* timer = form_->findChild<TTimer*>(GetParam().name);
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), GetParam().interval);
  EXPECT_TRUE(timer->HasOnTimer());
}

INSTANTIATE_TEST_SUITE_P(Timers, TimerLayoutTest,
                         ::testing::Values(TimerCase{"Timer1", 500}, TimerCase{"Timer2", 9000},
                                           TimerCase{"Timer3", 2000}),
                         [](const ::testing::TestParamInfo<TimerCase>& p) { return std::string(p.param.name); });

TEST_F(MainWindowTest, TimerFieldsAreTheNamedTimers) {
  EXPECT_EQ(form_->Timer1, form_->findChild<TTimer*>("Timer1"));
  EXPECT_EQ(form_->Timer2, form_->findChild<TTimer*>("Timer2"));
  EXPECT_EQ(form_->Timer3, form_->findChild<TTimer*>("Timer3"));
}

TEST_F(MainWindowTest, MenuTreeHasSettingsWithTwoItemsAndTwoCommandsOnTheBar) {
  ASSERT_NE(form_->MainMenu1, nullptr);
  EXPECT_EQ(form_->MainMenu1->Items(), (std::vector<TMenuItem*>{form_->N1, form_->N3, form_->N5}));
  EXPECT_EQ(form_->N1->Items(), (std::vector<TMenuItem*>{form_->N2, form_->N4}));
  struct Item {
    TMenuItem* item;
    const char* caption;
    bool checked;
    bool clickable;
  };
  // Captions as GBK bytes: 设置, 落下字符显示英文, 不显示中文, 自定义练习内容, 帮 助.
  const Item items[] = {{form_->N1, "\xC9\xE8\xD6\xC3", false, false},
                        {form_->N2, "\xC2\xE4\xCF\xC2\xD7\xD6\xB7\xFB\xCF\xD4\xCA\xBE\xD3\xA2\xCE\xC4", false, true},
                        {form_->N4, "\xB2\xBB\xCF\xD4\xCA\xBE\xD6\xD0\xCE\xC4", true, true},
                        {form_->N3, "\xD7\xD4\xB6\xA8\xD2\xE5\xC1\xB7\xCF\xB0\xC4\xDA\xC8\xDD", false, true},
                        {form_->N5, "\xB0\xEF \xD6\xFA", false, true}};
  for (const Item& item : items) {
    EXPECT_EQ(item.item->Caption(), item.caption);
    EXPECT_EQ(item.item->Checked(), item.checked) << item.caption;
    EXPECT_EQ(static_cast<bool>(item.item->OnClick), item.clickable) << item.caption;
    EXPECT_TRUE(item.item->Items().empty() || item.item == form_->N1);
  }
}

TEST_F(MainWindowTest, SpeechAndOpenDialogWaitUnused) {
  ASSERT_NE(form_->SpVoice1, nullptr);
  EXPECT_FALSE(form_->SpVoice1->AutoConnect);
  EXPECT_EQ(form_->SpVoice1->ConnectKind, TConnectKind::ckRunningOrNew);
  EXPECT_FALSE(form_->SpVoice1->Connected());
  EXPECT_EQ(speech_->GetActiveObjectCalls() + speech_->CreateInstanceCalls(), 0);
  ASSERT_NE(form_->OpenDialog1, nullptr);
  EXPECT_EQ(form_->OpenDialog1->Filter, "*.txt|*.txt");
}

TEST_F(MainWindowTest, FormCreatePreparesTheGameFields) {
  EXPECT_EQ(Form1, form_.get());
  EXPECT_NE(StringHelpers, nullptr);
  EXPECT_EQ(form_->PendingDelete, -1);
  EXPECT_EQ(form_->Score, 0);
  EXPECT_EQ(form_->TopSlot, 0);
  EXPECT_EQ(form_->NextLine, 0);
  EXPECT_TRUE(form_->TypedText.empty());
  EXPECT_TRUE(form_->HintText.empty());
  EXPECT_EQ(form_->TallyList->LineCount(), 0);
  EXPECT_EQ(PracticeLines(), (std::vector<std::string>{G("apple,苹果"), G("pear,梨"), G("tea,茶")}));
  for (const TZbLabel* word : form_->WordSlots) EXPECT_EQ(word, nullptr);
  EXPECT_TRUE(errors_.empty());
}

class NoPracticeFileTest : public GameTest {
 protected:
  std::vector<std::string> DefaultPracticeLines() const override { return {}; }
};

TEST_F(NoPracticeFileTest, MissingFileIsReportedBeforeTheWindowShowsAndTheWindowStillOpens) {
  form_.reset();
  errors_.clear();
  bool visibleWhenReported = true;
  SetErrorReporter([&](const std::exception& error) {
    errors_.emplace_back(error.what());
    visibleWhenReported = Form1 != nullptr && Form1->isVisible();
  });
  form_ = CreateMainWindow();
  ASSERT_EQ(errors_.size(), 1u);
  const std::string path = FileNameToCodePage(folder_ / CodePageToFileName(G("食物.txt")));
  EXPECT_EQ(errors_.at(0).rfind("Cannot open file \"" + path + "\". ", 0), 0u) << errors_.at(0);
  EXPECT_FALSE(visibleWhenReported);
  EXPECT_NE(form_->PracticeList, nullptr);
  EXPECT_EQ(form_->PracticeList->LineCount(), 0);
  EXPECT_NE(form_->TallyList, nullptr);
  EXPECT_EQ(form_->PendingDelete, -1);
  form_->show();
  EXPECT_TRUE(form_->isVisible());
}

void ClickAt(QWidget* widget, QPoint point) {
  QMouseEvent press(QEvent::MouseButtonPress, point, widget->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, point, widget->mapToGlobal(point), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

TEST_F(MainWindowTest, StartButtonSwapsStartAndEnd) {
  form_->TopSlot = 3;
  form_->Score = 5;
  ClickAt(form_->SpeedButton1, QPoint(40, 12));
  EXPECT_EQ(form_->SpeedButton1->Caption(), G("结 束"));
  EXPECT_EQ(form_->TopSlot, -1);
  EXPECT_EQ(form_->Score, 5);
  EXPECT_TRUE(form_->Timer1->Enabled());
  EXPECT_TRUE(form_->Timer3->Enabled());
  EXPECT_FALSE(form_->CheckBox1->Enabled());

  form_->Timer2->SetEnabled(true);
  ClickAt(form_->SpeedButton1, QPoint(40, 12));
  EXPECT_EQ(form_->SpeedButton1->Caption(), G("开 始"));
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_FALSE(form_->Timer2->Enabled());
  EXPECT_FALSE(form_->Timer3->Enabled());
  EXPECT_FALSE(form_->CheckBox1->Enabled());  // nothing enables the box again
  EXPECT_EQ(form_->TopSlot, -1);
}

// The typed-text line grows over the Start button; where it lies, a click
// reaches the line, not the button.
TEST_F(MainWindowTest, LongTypedTextCoversTheStartButton) {
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  const QPoint buttonCentre = form_->SpeedButton1->mapTo(form_.get(), QPoint(40, 12));
  struct Case {
    const char* typed;
    const char* captionAfterClick;
  };
  const std::vector<Case> cases = {{"", "结 束"}, {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "开 始"}};
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.typed);
    form_->SpeedButton1->SetCaption(G("开 始"));
    form_->TypedText = testCase.typed;
    form_->ZbLabel1->SetCaption(testCase.typed);
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, Qt::NoModifier, buttonCentre);
    EXPECT_EQ(form_->SpeedButton1->Caption(), G(testCase.captionAfterClick));
  }
  form_->Timer1->SetEnabled(false);
  form_->Timer3->SetEnabled(false);
}

TEST_F(MainWindowTest, ArrowKeysTakeTheFocusOffAClickedHintBox) {
  form_->show();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  for (const Qt::Key arrow : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right}) {
    SCOPED_TRACE(arrow);
    QTest::mouseClick(form_->CheckBox1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 12));
    ASSERT_TRUE(form_->CheckBox1->hasFocus());
    QTest::keyClick(form_->CheckBox1, arrow);
    EXPECT_TRUE(form_->ZbPanel1->hasFocus());
  }
  // With the window itself holding the focus an arrow changes nothing.
  form_->setFocus();
  QTest::keyClick(form_.get(), Qt::Key_Down);
  EXPECT_TRUE(form_->hasFocus());
  EXPECT_TRUE(form_->TypedText.empty());
}

// Text composed with an input method reaches FormKeyPress once, byte by
// byte, whichever of the window's controls the player left the focus on:
// the input method stays on for each of them (it would send nothing to a
// control that declines it), and its commit is previewed like a key.
TEST_F(MainWindowTest, InputMethodTextReachesFormKeyPressWhateverHasTheFocus) {
  form_->show();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  const struct {
    const char* name;
    QWidget* focused;
    std::function<void()> focus;
  } cases[] = {
      {"the window", form_.get(), [&] { form_->setFocus(); }},
      {"the hint box, clicked", form_->CheckBox1,
       [&] { QTest::mouseClick(form_->CheckBox1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 12)); }},
      {"the play field, after Right", form_->ZbPanel1,
       [&] {
         QTest::mouseClick(form_->CheckBox1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 12));
         QTest::keyClick(form_->CheckBox1, Qt::Key_Right);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.focus();
    QObject* focusObject = QGuiApplication::focusObject();
    ASSERT_EQ(focusObject, c.focused);
    EXPECT_TRUE(QGuiApplication::inputMethod()->queryFocusObject(Qt::ImEnabled, QVariant()).toBool())
        << "the input method is off";
    form_->TypedText = "a";
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("苹果"));
    QCoreApplication::sendEvent(focusObject, &commit);
    EXPECT_EQ(form_->TypedText, "a\xC6\xBB\xB9\xFB");
  }
  form_->TypedText.clear();
}

// Game over stops the fall but leaves the button at End: one click stops
// the game, the next starts a new one.
TEST_F(MainWindowTest, GameOverThenEndThenStart) {
  SetPracticeLines({"apple,苹果"});
  ClickStart();
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 100);
  Type("apple");
  ExpectCelebration();
  Enter();
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_TRUE(form_->Timer3->Enabled());
  EXPECT_EQ(form_->SpeedButton1->Caption(), G("结 束"));

  ClickStart();
  EXPECT_EQ(form_->SpeedButton1->Caption(), G("开 始"));
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_FALSE(form_->Timer3->Enabled());

  ClickStart();
  EXPECT_EQ(form_->SpeedButton1->Caption(), G("结 束"));
  EXPECT_TRUE(form_->Timer1->Enabled());
  EXPECT_TRUE(form_->Timer3->Enabled());
  EXPECT_EQ(form_->TopSlot, -1);
  ClickStart();
}

// Unticking N4 mid-game stops the alternation where it stands: each word
// keeps the text it shows.
TEST_F(MainWindowTest, UncheckingN4LeavesEveryWordAsItShows) {
  ClickStart();
  form_->TopSlot = 1;
  TZbLabel* first = PlaceWord(0, "苹果", "apple", 100, 100);
  TZbLabel* second = PlaceWord(1, "梨", "pear", 400, 100);
  form_->Timer3Timer(form_->Timer3);
  form_->N4->Click();
  EXPECT_FALSE(form_->N4->Checked());
  EXPECT_FALSE(form_->Timer3->Enabled());
  EXPECT_EQ(first->Caption(), "apple");
  EXPECT_EQ(first->Hint(), G("苹果"));
  EXPECT_EQ(second->Caption(), "pear");
  EXPECT_EQ(second->Hint(), G("梨"));
  ClickStart();
}

TEST_F(MainWindowTest, StartEnablesAlternationWhateverN4Shows) {
  form_->N4->Click();
  EXPECT_FALSE(form_->N4->Checked());
  ClickStart();
  EXPECT_TRUE(form_->Timer3->Enabled());
}

TEST_F(MainWindowTest, KeysReachTheKeyHandler) {
  form_->DeliverKey('h');
  form_->DeliverKey('i');
  EXPECT_EQ(form_->TypedText, "hi");
  EXPECT_EQ(form_->ZbLabel1->Caption(), "hi");
}

TEST_F(MainWindowTest, FallTimerTickRunsTheFallTick) {
  form_->TopSlot = 4;
  form_->Timer1->SetInterval(1);
  form_->Timer1->SetEnabled(true);
  QElapsedTimer waited;
  waited.start();
  while (form_->Caption() == "Zembrot 1.01" && waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents);
    QThread::msleep(1);
  }
  form_->Timer1->SetEnabled(false);
  EXPECT_EQ(form_->Caption(), G("得分:0"));
}

// The game-over notice opens inside the pump of a real fall tick (for the
// Enter that waited there); the fall timer goes on ticking inside it.
TEST_F(MainWindowTest, WordsKeepFallingBehindAGameOverNoticeOpenedInsideAFallTick) {
  SetPracticeLines({"apple,苹果"});
  ClickStart();
  form_->Timer1->SetInterval(40);
  services_.DrawFreely(11);
  form_->TopSlot = 1;
  PlaceWord(0, "苹果", "apple", 100, 100);
  const QPointer<TZbLabel> other = PlaceWord(1, "梨", "pear", 600, 50);
  Type("apple");
  services_.onRandomize = [this] {
    services_.onRandomize = nullptr;
    QMetaObject::invokeMethod(form_.get(), [this] { Enter(); }, Qt::QueuedConnection);
  };
  int topAtOpen = -1;
  int topAtClose = -1;
  services_.onNotice = [&](const std::string&) {
    topAtOpen = other ? other->Top() : -1;
    QEventLoop notice;
    QTimer::singleShot(400, Qt::PreciseTimer, &notice, &QEventLoop::quit);
    notice.exec();
    topAtClose = other ? other->Top() : -1;
  };
  QElapsedTimer waited;
  waited.start();
  while (services_.notices.empty() && waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_EQ(topAtOpen, 50);
  // Some eight ticks of 1 to 5 pixels each.
  EXPECT_GE(topAtClose, 50 + 4);
}

TEST_F(MainWindowTest, ErrorInAHandlerIsReportedAndPlayGoesOn) {
  form_->TallyList->AppendLine(G("苹果apple;?"));
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 100);
  Type("apple");
  ExpectCelebration();
  Enter();
  ASSERT_EQ(errors_.size(), 1u);
  form_->DeliverKey('x');
  EXPECT_EQ(form_->TypedText, "applex");
}

}  // namespace
}  // namespace zembrot::testing
