// TForm: key preview (which keys reach OnKeyPress as which bytes, and what
// the focused control still sees), caption, client size, top alignment,
// centring, and the main loop ending when the window closes.

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

#include "base/code_page.h"
#include "frame/application.h"
#include "frame/form.h"
#include "frame/menu.h"
#include "frame_test_support.h"
#include "speech/speech_server.h"

namespace zembrot {
namespace {

using testing_support::RunEventsFor;

// A form that records every byte its key handler receives.
class KeyRecordingForm {
 public:
  KeyRecordingForm() {
    form.SetKeyPreview(true);
    form.OnKeyPress = [this](QObject* sender, char& key) {
      EXPECT_EQ(sender, &form);
      received += key;
      if (swallow.find(key) != std::string::npos) key = '\0';
    };
  }

  void Press(QObject* receiver, int key, Qt::KeyboardModifiers modifiers, const QString& text,
             bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text, autoRepeat);
    QCoreApplication::sendEvent(receiver, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text, autoRepeat);
    QCoreApplication::sendEvent(receiver, &release);
  }

  void Commit(QObject* receiver, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(receiver, &event);
  }

  TForm form;
  std::string received;
  std::string swallow;  // bytes the handler sets to 0
};

struct KeyCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  QString text;
  std::string bytes;
};

std::vector<KeyCase> KeyCases() {
  std::vector<KeyCase> cases = {
      {"letter", Qt::Key_A, Qt::NoModifier, "a", "a"},
      {"capital", Qt::Key_A, Qt::ShiftModifier, "A", "A"},
      {"digit", Qt::Key_7, Qt::NoModifier, "7", "7"},
      {"comma", Qt::Key_Comma, Qt::NoModifier, ",", ","},
      {"semicolon", Qt::Key_Semicolon, Qt::NoModifier, ";", ";"},
      {"space", Qt::Key_Space, Qt::NoModifier, " ", " "},
      {"keypad digit", Qt::Key_3, Qt::KeypadModifier, "3", "3"},
      {"backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", "\x08"},
      {"backspace without text", Qt::Key_Backspace, Qt::NoModifier, "", "\x08"},
      {"return", Qt::Key_Return, Qt::NoModifier, "\r", "\r"},
      {"keypad enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", "\r"},
      {"shift return", Qt::Key_Return, Qt::ShiftModifier, "\r", "\r"},
      {"escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", "\x1b"},
      {"ctrl shift letter", Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier, "\x02", "\x02"},
      {"layout character", Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x00E9)), "\xA8\xA6"},
      {"tab", Qt::Key_Tab, Qt::NoModifier, "\t", ""},
      {"shift tab", Qt::Key_Backtab, Qt::ShiftModifier, "", ""},
      {"ctrl tab", Qt::Key_Tab, Qt::ControlModifier, "", ""},
      {"left", Qt::Key_Left, Qt::NoModifier, "", ""},
      {"right", Qt::Key_Right, Qt::NoModifier, "", ""},
      {"up", Qt::Key_Up, Qt::NoModifier, "", ""},
      {"down", Qt::Key_Down, Qt::NoModifier, "", ""},
      {"f1", Qt::Key_F1, Qt::NoModifier, "", ""},
      {"f12", Qt::Key_F12, Qt::NoModifier, "", ""},
      {"insert", Qt::Key_Insert, Qt::NoModifier, "", ""},
      {"delete with text", Qt::Key_Delete, Qt::NoModifier, "\x7f", ""},
      {"home", Qt::Key_Home, Qt::NoModifier, "", ""},
      {"end", Qt::Key_End, Qt::NoModifier, "", ""},
      {"shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", ""},
      {"alt letter", Qt::Key_X, Qt::AltModifier, "x", ""},
      {"alt digit", Qt::Key_1, Qt::AltModifier, "1", ""},
      {"ctrl alt letter", Qt::Key_X, Qt::ControlModifier | Qt::AltModifier, "", ""},
  };
  // Every Ctrl+letter gives its control code, whether or not the platform
  // supplies the text; so Ctrl+H is 8 and Ctrl+M is 13.
  for (int letter = 0; letter < 26; ++letter) {
    const std::string code(1, static_cast<char>(letter + 1));
    cases.push_back({"ctrl letter", Qt::Key_A + letter, Qt::ControlModifier, "", code});
    cases.push_back({"ctrl letter with text", Qt::Key_A + letter, Qt::ControlModifier,
                     QString(QChar(static_cast<char16_t>(letter + 1))), code});
  }
  return cases;
}

TEST(FormKeyPreviewTest, KeysReachTheHandlerAsCodePageBytes) {
  for (const KeyCase& testCase : KeyCases()) {
    KeyRecordingForm recorder;
    recorder.Press(&recorder.form, testCase.key, testCase.modifiers, testCase.text);
    EXPECT_EQ(recorder.received, testCase.bytes) << testCase.name << " key " << std::hex << testCase.key;
    EXPECT_EQ(TForm::KeyEventBytes(QKeyEvent(QEvent::KeyPress, testCase.key, testCase.modifiers, testCase.text)),
              testCase.bytes)
        << testCase.name;
  }
}

TEST(FormKeyPreviewTest, InputMethodCommitsArriveAsGbkBytesOneCallPerByte) {
  struct Case {
    const char* name;
    QString commit;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"two Chinese characters", QString::fromUtf8("苹果"), "\xC6\xBB\xB9\xFB"},
      {"mixed", QString::fromUtf8("a苹"), "a\xC6\xBB"},
      {"full-width comma", QString::fromUtf8("，"), "\xA3\xAC"},
      {"composition only", QString(), ""},
  };
  for (const Case& testCase : cases) {
    KeyRecordingForm recorder;
    int calls = 0;
    recorder.form.OnKeyPress = [&](QObject*, char& key) {
      ++calls;
      recorder.received += key;
    };
    recorder.Commit(&recorder.form, testCase.commit);
    EXPECT_EQ(recorder.received, testCase.bytes) << testCase.name;
    EXPECT_EQ(calls, static_cast<int>(testCase.bytes.size())) << testCase.name;
  }
}

TEST(FormKeyPreviewTest, AutoRepeatGivesOneCallPerRepetition) {
  KeyRecordingForm recorder;
  recorder.Press(&recorder.form, Qt::Key_A, Qt::NoModifier, "a");
  recorder.Press(&recorder.form, Qt::Key_A, Qt::NoModifier, "a", true);
  recorder.Press(&recorder.form, Qt::Key_A, Qt::NoModifier, "a", true);
  EXPECT_EQ(recorder.received, "aaa");
}

TEST(FormKeyPreviewTest, FocusedControlGetsWhatTheHandlerLeaves) {
  struct Case {
    const char* name;
    bool keyPreview;
    const char* swallow;
    const char* typed;
    const char* handlerSees;
    const char* controlGets;
  };
  const std::vector<Case> cases = {
      {"preview passes characters on", true, "", "abc", "abc", "abc"},
      {"swallowed characters stop at the handler", true, "b", "abc", "abc", "ac"},
      {"everything swallowed", true, "abc", "abc", "abc", ""},
      {"without preview only the control sees them", false, "", "abc", "", "abc"},
  };
  for (const Case& testCase : cases) {
    KeyRecordingForm recorder;
    recorder.form.SetKeyPreview(testCase.keyPreview);
    recorder.swallow = testCase.swallow;
    auto* edit = new QLineEdit(recorder.form.ClientArea());
    for (const char* typed = testCase.typed; *typed != '\0'; ++typed) {
      const char character = *typed;
      recorder.Press(edit, Qt::Key_A + (character - 'a'), Qt::NoModifier, QString(QChar(character)));
    }
    EXPECT_EQ(recorder.received, testCase.handlerSees) << testCase.name;
    EXPECT_EQ(edit->text().toStdString(), testCase.controlGets) << testCase.name;
  }
}

TEST(FormKeyPreviewTest, SwallowedCommitDoesNotReachTheControl) {
  KeyRecordingForm recorder;
  auto* edit = new QLineEdit(recorder.form.ClientArea());
  recorder.swallow = std::string("\xC6\xBB", 2);
  recorder.Commit(edit, QString::fromUtf8("苹"));
  EXPECT_EQ(recorder.received, "\xC6\xBB");
  EXPECT_TRUE(edit->text().isEmpty());
  recorder.swallow.clear();
  recorder.Commit(edit, QString::fromUtf8("果"));
  EXPECT_EQ(edit->text(), QString::fromUtf8("果"));
}

TEST(FormKeyPreviewTest, FocusedCheckBoxStillGetsItsSpace) {
  KeyRecordingForm recorder;
  auto* box = new QCheckBox(QStringLiteral("hint"), recorder.form.ClientArea());
  recorder.Press(box, Qt::Key_Space, Qt::NoModifier, " ");
  EXPECT_EQ(recorder.received, " ");
  EXPECT_TRUE(box->isChecked());
}

TEST(FormKeyPreviewTest, TabNeverMovesTheFocus) {
  KeyRecordingForm recorder;
  auto* first = new QLineEdit(recorder.form.ClientArea());
  auto* second = new QLineEdit(recorder.form.ClientArea());
  second->move(0, 40);
  recorder.form.show();
  recorder.form.activateWindow();
  first->setFocus();
  RunEventsFor(20);
  QWidget* focusBefore = recorder.form.focusWidget();
  recorder.Press(first, Qt::Key_Tab, Qt::NoModifier, "\t");
  recorder.Press(first, Qt::Key_Backtab, Qt::ShiftModifier, "");
  EXPECT_EQ(recorder.form.focusWidget(), focusBefore);
  EXPECT_TRUE(recorder.received.empty());
  EXPECT_TRUE(first->text().isEmpty());
}

TEST(FormKeyPreviewTest, FailingHandlerIsReportedAndTheCharacterDropped) {
  testing_support::RecordedErrors errors;
  KeyRecordingForm recorder;
  auto* edit = new QLineEdit(recorder.form.ClientArea());
  recorder.form.OnKeyPress = [](QObject*, char& key) {
    if (key == 'x') throw std::runtime_error("bad key");
  };
  recorder.Press(edit, Qt::Key_X, Qt::NoModifier, "x");
  recorder.Press(edit, Qt::Key_Y, Qt::NoModifier, "y");
  EXPECT_EQ(errors.messages, std::vector<std::string>{"bad key"});
  EXPECT_EQ(edit->text(), QStringLiteral("y"));
  EXPECT_EQ(recorder.form.DeliverKey('x'), '\0');
  EXPECT_EQ(recorder.form.DeliverKey('z'), 'z');
}

TEST(FormKeyPreviewTest, KeysOfAnotherWindowAreNotPreviewed) {
  KeyRecordingForm recorder;
  QWidget otherWindow;
  auto* edit = new QLineEdit(&otherWindow);
  recorder.Press(edit, Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_TRUE(recorder.received.empty());
  EXPECT_EQ(edit->text(), QStringLiteral("a"));
}

TEST(FormKeyPreviewTest, KeysThatTypeNothingStillReachTheFocusedControl) {
  KeyRecordingForm recorder;
  auto* edit = new QLineEdit(recorder.form.ClientArea());
  recorder.Press(edit, Qt::Key_A, Qt::NoModifier, "a");
  recorder.Press(edit, Qt::Key_B, Qt::NoModifier, "b");
  recorder.Press(edit, Qt::Key_Left, Qt::NoModifier, "");
  recorder.Press(edit, Qt::Key_C, Qt::NoModifier, "c");
  recorder.Press(edit, Qt::Key_End, Qt::NoModifier, "");
  recorder.Press(edit, Qt::Key_Backspace, Qt::NoModifier, "\b");
  EXPECT_EQ(recorder.received, "abc\b");
  EXPECT_EQ(edit->text(), QStringLiteral("ac"));
}

TEST(FormKeyPreviewTest, KeysOfADialogOwnedByTheFormAreNotPreviewed) {
  KeyRecordingForm recorder;
  QDialog dialog(&recorder.form);
  auto* edit = new QLineEdit(&dialog);
  recorder.Press(edit, Qt::Key_A, Qt::NoModifier, "a");
  recorder.Press(&dialog, Qt::Key_B, Qt::NoModifier, "b");
  EXPECT_TRUE(recorder.received.empty());
  EXPECT_EQ(edit->text(), QStringLiteral("a"));
  // Nor are keys that steer the menu bar.
  recorder.Press(recorder.form.menuBar(), Qt::Key_C, Qt::NoModifier, "c");
  recorder.Press(recorder.form.menuBar(), Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_TRUE(recorder.received.empty());
}

// Counts its paintings.
class PaintCounter final : public QWidget {
 public:
  using QWidget::QWidget;
  int paintings = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paintings; }
};

TEST(FrameOperationsTest, RepaintNowPaintsVisibleControlsBeforeReturning) {
  struct Case {
    const char* name;
    bool windowShown;
    bool controlHidden;
    bool painted;
  };
  const std::vector<Case> cases = {
      {"visible", true, false, true},
      {"window not shown", false, false, false},
      {"control hidden", true, true, false},
  };
  for (const Case& testCase : cases) {
    TForm form;
    form.SetClientSize(200, 100);
    auto* control = new PaintCounter(form.ClientArea());
    control->setGeometry(10, 10, 50, 20);
    control->setAttribute(Qt::WA_TranslucentBackground);
    if (testCase.controlHidden) control->hide();
    if (testCase.windowShown) {
      form.show();
      RunEventsFor(20);
    }
    const int before = control->paintings;
    RepaintNow(control);
    EXPECT_EQ(control->paintings > before, testCase.painted) << testCase.name;
  }
  RepaintNow(nullptr);
}

TEST(FrameOperationsTest, PumpRunsWaitingWorkNestedInTheCaller) {
  std::vector<std::string> order;
  QTimer::singleShot(0, [&] { order.push_back("queued"); });
  TForm form;
  form.SetKeyPreview(true);
  form.OnKeyPress = [&](QObject*, char& key) { order.push_back(std::string("key ") + key); };
  QCoreApplication::postEvent(&form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q"));
  order.push_back("before");
  PumpPendingMessages();
  order.push_back("after");
  EXPECT_EQ(order, (std::vector<std::string>{"before", "queued", "key q", "after"}));
}

TEST(FormTest, CaptionIsCodePageBytes) {
  TForm form;
  form.SetCaption("Zembrot 1.01");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Zembrot 1.01"));
  form.SetCaption("\xB5\xC3\xB7\xD6: 3");
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("得分: 3"));
  EXPECT_EQ(form.Caption(), "\xB5\xC3\xB7\xD6: 3");
}

TEST(FormTest, ClientSizeIsTheAreaBelowTheMenuBar) {
  TForm form;
  TMainMenu menu(&form);
  auto* item = new TMenuItem(&menu);
  item->SetCaption("\xC9\xE8\xD6\xC3");
  menu.Add(item);
  form.SetClientSize(847, 510);
  form.SetMenu(&menu);
  form.show();
  RunEventsFor(20);
  EXPECT_EQ(form.ClientArea()->size(), QSize(847, 510));
  EXPECT_EQ(form.ClientArea()->y(), form.menuBar()->height());
}

TEST(FormTest, TopAlignedControlsSpanTheClientWidth) {
  TForm form;
  form.SetClientSize(400, 300);
  auto* field = new QWidget(form.ClientArea());
  field->resize(10, 150);
  auto* strip = new QWidget(form.ClientArea());
  strip->resize(10, 20);
  auto* loose = new QWidget(form.ClientArea());
  loose->setGeometry(5, 200, 30, 30);
  form.SetAlignTop(field);
  form.SetAlignTop(strip);
  form.show();
  for (const int width : {400, 620, 250}) {
    form.SetClientSize(width, 300);
    RunEventsFor(10);
    EXPECT_EQ(field->geometry(), QRect(0, 0, width, 150)) << width;
    EXPECT_EQ(strip->geometry(), QRect(0, 150, width, 20)) << width;
    EXPECT_EQ(loose->geometry(), QRect(5, 200, 30, 30)) << width;
  }
}

TEST(FormTest, FirstShowingCentresOnTheScreenLaterShowingsKeepThePosition) {
  TForm form;
  form.SetClientSize(300, 200);
  form.ShowCentered();
  RunEventsFor(10);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QRect frame = form.frameGeometry();
  EXPECT_EQ(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
  EXPECT_EQ(frame.top(), screen.top() + (screen.height() - frame.height()) / 2);
  EXPECT_TRUE(form.hasFocus() || form.focusWidget() == &form);
  form.hide();
  form.move(10, 20);
  form.ShowCentered();
  EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(10, 20));
}

TEST(ApplicationTest, RunShowsTheMainFormAndEndsWithZeroWhenItCloses) {
  int argc = 1;
  char name[] = "/opt/games/SPELL.EXE";
  char* argv[] = {name, nullptr};
  TApplication application(argc, argv);
  EXPECT_EQ(TApplication::Instance(), &application);
  // Another window stays open: closing the main form alone must end the loop.
  QApplication::setQuitOnLastWindowClosed(false);
  QWidget otherWindow;
  otherWindow.show();
  TForm form;
  form.SetClientSize(320, 240);
  bool visibleWhileRunning = false;
  QTimer::singleShot(30, &form, [&] {
    visibleWhileRunning = form.isVisible();
    form.close();
  });
  EXPECT_EQ(application.Run(form), 0);
  EXPECT_TRUE(visibleWhileRunning);
  QApplication::setQuitOnLastWindowClosed(true);
}

// The main window is created after the application object and destroyed
// after Run has returned; its speech component still releases engine
// objects then, so the thread stays prepared until the application goes.
TEST(ApplicationTest, SpeechThreadIsPreparedFromApplicationStartUntilItsEnd) {
  int argc = 1;
  char name[] = "/opt/games/zembrot";
  char* argv[] = {name, nullptr};
  ASSERT_FALSE(SpeechThreadInitialized());
  {
    TApplication application(argc, argv);
    bool preparedWhileRunning = false;
    {
      TForm form;
      form.SetClientSize(320, 240);
      QTimer::singleShot(10, &form, [&] {
        preparedWhileRunning = SpeechThreadInitialized();
        form.close();
      });
      EXPECT_TRUE(SpeechThreadInitialized()) << "before the main window runs";
      EXPECT_EQ(application.Run(form), 0);
      EXPECT_TRUE(preparedWhileRunning);
      EXPECT_TRUE(SpeechThreadInitialized()) << "after Run, while the main window still exists";
    }
    EXPECT_TRUE(SpeechThreadInitialized()) << "after the main window is gone";
  }
  EXPECT_FALSE(SpeechThreadInitialized());
}

}  // namespace
}  // namespace zembrot
