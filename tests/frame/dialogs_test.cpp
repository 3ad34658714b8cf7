// The notice dialog (layout, keys, clipboard, timers behind it), the error
// report's message box, the file-open dialog and the services seam.

#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "base/code_page.h"
#include "base/errors.h"
#include "frame/application.h"
#include "frame/message_form.h"
#include "frame/message_form_dialog.h"
#include "frame/open_dialog.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "frame_test_support.h"
#include "speech/speech_server.h"

namespace zembrot {
namespace {

using testing_support::RunEventsUntil;
using testing_support::ModalWatcher;

void SendKey(QWidget* receiver, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(receiver, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(receiver, &release);
}

// All notice figures below are for the message-box font of the test image
// (DejaVu Sans 9 pt, 12 px; Chinese from WenQuanYi Zen Hei). The measured
// widths are pinned first, so that another font fails there, plainly.
TEST(NoticeLayoutTest, MetricsComeFromTheAlphabetWidthAndHeight) {
  struct Case {
    int pixelSize;
    int alphabetWidth;  // "A".."Z" "a".."z"
    int height;
    int okWidth;
    std::vector<int> metrics;  // X, Y, margins, spacing, button width and height
  };
  // X = alphabet div 52; margins 8X/4 and 8Y/8, spacing 10Y/8, button
  // max(50X/4, "OK" + 8) by 14Y/8, each rounded to the nearest, halves up.
  const std::vector<Case> cases = {
      {11, 353, 13, 16, {6, 13, 12, 13, 16, 75, 23}},   // 16.25, 22.75
      {12, 385, 14, 17, {7, 14, 14, 14, 18, 88, 25}},   // a notice's own: 17.5, 87.5, 24.5
      {13, 417, 15, 19, {8, 15, 16, 15, 19, 100, 26}},  // 18.75, 26.25
      {16, 514, 19, 23, {9, 19, 18, 19, 24, 113, 33}},  // 23.75, 112.5, 33.25
      {24, 771, 28, 35, {14, 28, 28, 28, 35, 175, 49}},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.pixelSize);
    QFont font = QApplication::font("QMessageBox");
    font.setPixelSize(testCase.pixelSize);
    const QFontMetrics fontMetrics(font);
    ASSERT_EQ(fontMetrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
              testCase.alphabetWidth);
    ASSERT_EQ(fontMetrics.height(), testCase.height);
    ASSERT_EQ(fontMetrics.horizontalAdvance(QStringLiteral("OK")), testCase.okWidth);
    const NoticeMetrics metrics = MeasureNotice(font);
    EXPECT_EQ((std::vector<int>{metrics.averageCharWidth, metrics.charHeight, metrics.horizontalMargin,
                                metrics.verticalMargin, metrics.verticalSpacing, metrics.buttonWidth,
                                metrics.buttonHeight}),
              testCase.metrics);
  }
}

TEST(NoticeLayoutTest, LabelAndButtonGeometry) {
  struct Case {
    const char* name;
    std::string text;
    int maxWidth;
    QRect label;
    QRect button;
    QSize client;
  };
  // Margins 14 and 14, spacing 18, button 88 x 25 (above). The text block is
  // as wide as its widest line, rounded up to a whole pixel, and 14 per line
  // of Latin text, 16 per line with Chinese in it. Client 116 wide unless the
  // text is wider than the button; the button centred, 18 below the text.
  const std::vector<Case> cases = {
      // "Hello" is 30.38 wide.
      {"one line", "Hello", 640, {14, 14, 31, 14}, {14, 46, 88, 25}, {116, 85}},
      // "three" is 31.70 wide.
      {"lone carriage returns", "one\rtwo\rthree", 640, {14, 14, 32, 42}, {14, 74, 88, 25}, {116, 113}},
      // "one" is 22.30 wide, "two" 21.84.
      {"line feeds", "one\ntwo", 640, {14, 14, 23, 28}, {14, 60, 88, 25}, {116, 99}},
      {"carriage return line feed is one break", "one\r\ntwo", 640, {14, 14, 23, 28}, {14, 60, 88, 25}, {116, 99}},
      {"empty text", "", 640, {14, 14, 0, 0}, {14, 32, 88, 25}, {116, 71}},
      // "word word word" (96.03) fits 120, a fourth word (129.31) does not:
      // 3 + 3 + 2 words; client 97 + 28 = 125, button at (125 - 88) div 2.
      {"wraps at the width", "word word word word word word word word", 120, {14, 14, 97, 42}, {18, 74, 88, 25},
       {125, 113}},
      // "alpha beta gamma delta" (147.72) / "epsilon zeta eta theta" (131.11,
      // with " iota" 157.63) / "iota kappa"; client 148 + 28 = 176.
      {"long text wraps at word boundaries", "alpha beta gamma delta epsilon zeta eta theta iota kappa", 150,
       {14, 14, 148, 42}, {44, 74, 88, 25}, {176, 113}},
      // 苹果 is 24 wide; both lines are Chinese, 16 each.
      {"Chinese", "\xC6\xBB\xB9\xFB\r\xB9\xFB", 640, {14, 14, 24, 32}, {14, 64, 88, 25}, {116, 103}},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    TMessageForm form("Spell", testCase.text, testCase.maxWidth);
    const QFontInfo font(form.font());
    ASSERT_EQ(font.family(), QStringLiteral("DejaVu Sans"));
    ASSERT_EQ(font.pixelSize(), 12);
    EXPECT_EQ(form.MessageLabel()->objectName(), QStringLiteral("Message"));
    EXPECT_EQ(form.OkButton()->objectName(), QStringLiteral("OK"));
    EXPECT_EQ(form.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Spell"));
    EXPECT_EQ(form.MessageLabel()->geometry(), testCase.label);
    EXPECT_EQ(form.OkButton()->geometry(), testCase.button);
    EXPECT_EQ(form.size(), testCase.client);
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed border";
    EXPECT_TRUE(form.OkButton()->isDefault());
  }
}

TEST(NoticeLayoutTest, AmpersandsAreText) {
  struct Case {
    const char* text;
    int width;  // "File" alone would be 21 wide
  };
  // A practice line in a notice shows every "&" it has.
  const std::vector<Case> cases = {{"&File", 30}, {"a && b", 42}, {"R&D", 27}};
  for (const Case& testCase : cases) {
    TMessageForm form("Spell", testCase.text, 640);
    EXPECT_EQ(form.MessageLabel()->size(), QSize(testCase.width, 14)) << testCase.text;
  }
}

TEST(NoticeDialogTest, EnterEscSpaceClickAndCloseBoxAllEndTheNotice) {
  struct Case {
    const char* name;
    std::function<void(QWidget* dialog)> close;
  };
  const std::vector<Case> cases = {
      {"enter", [](QWidget* dialog) { SendKey(dialog, Qt::Key_Return, Qt::NoModifier, "\r"); }},
      {"escape", [](QWidget* dialog) { SendKey(dialog, Qt::Key_Escape, Qt::NoModifier, "\x1b"); }},
      {"space on the button",
       [](QWidget* dialog) {
         SendKey(dialog->findChild<QPushButton*>(QStringLiteral("OK")), Qt::Key_Space, Qt::NoModifier, " ");
       }},
      {"click", [](QWidget* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("OK"))->click(); }},
      {"close box", [](QWidget* dialog) { dialog->close(); }},
  };
  for (const Case& testCase : cases) {
    bool opened = false;
    const ModalWatcher watcher([&](QWidget* dialog) {
      opened = dialog->objectName() == QStringLiteral("TMessageForm");
      testCase.close(dialog);
    });
    ShowNoticeDialog("Game over");
    EXPECT_TRUE(opened) << testCase.name;
  }
}

TEST(NoticeDialogTest, TimersTickWhileTheNoticeIsOpenAndCaptionIsTheTitle) {
  int argc = 1;
  char name[] = "zembrot";
  char* argv[] = {name, nullptr};
  TApplication application(argc, argv);
  application.SetTitleFromExecutable("C:\\Games\\SPELL.EXE");
  TTimer timer;
  int ticks = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](QObject*) { ++ticks; });
  QString caption;
  QPoint centreOffset;
  const ModalWatcher watcher([&](QWidget* dialog) {
    caption = dialog->windowTitle();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = dialog->frameGeometry();
    centreOffset = frame.topLeft() - QPoint(screen.left() + (screen.width() - frame.width()) / 2,
                                            screen.top() + (screen.height() - frame.height()) / 2);
    RunEventsUntil([&] { return ticks >= 4; });
    dialog->close();
  });
  ShowNoticeDialog("Words fall behind me");
  EXPECT_GE(ticks, 4);
  EXPECT_EQ(caption, QStringLiteral("Spell"));
  EXPECT_EQ(centreOffset, QPoint(0, 0));
}

TEST(NoticeDialogTest, CtrlCCopiesTheTextForm) {
  const std::string text = "\xC6\xBB\xB9\xFB\rapple";
  QString copied;
  const ModalWatcher watcher([&](QWidget* dialog) {
    SendKey(dialog->findChild<QPushButton*>(QStringLiteral("OK")), Qt::Key_C, Qt::ControlModifier, "\x03");
    copied = QGuiApplication::clipboard()->text();
    dialog->close();
  });
  ShowNoticeDialog(text);
  EXPECT_EQ(copied.toStdU16String(), u"---------------------------\r\n"
                                     u"Zembrot\r\n"
                                     u"---------------------------\r\n"
                                     u"苹果\rapple\r\n"
                                     u"---------------------------\r\n"
                                     u"OK   \r\n"
                                     u"---------------------------\r\n");
}

TEST(ErrorReportTest, StopIconBoxCaptionedWithTheTitleAndFullStopRule) {
  int argc = 1;
  char name[] = "zembrot";
  char* argv[] = {name, nullptr};
  TApplication application(argc, argv);
  application.SetTitleFromExecutable("/games/WORD GAME.exe");
  struct Case {
    std::shared_ptr<std::exception> error;
    bool boxShown;
    QString text;
  };
  const std::vector<Case> cases = {
      {std::make_shared<Exception>("abc"), true, "abc."},
      {std::make_shared<Exception>("abc!"), true, "abc!"},
      {std::make_shared<EStringListError>(7), true, "List index out of bounds (7)"},
      {std::make_shared<Exception>(""), true, ""},
      {std::make_shared<Exception>("\xC6\xBB\xB9\xFB"), true, QString::fromUtf8("苹果.")},
      {std::make_shared<std::runtime_error>("broken"), true, "broken."},
      {std::make_shared<std::bad_alloc>(), true, "Out of memory."},
      {std::make_shared<EAbort>("Operation aborted"), false, ""},
  };
  for (const Case& testCase : cases) {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    const ModalWatcher watcher([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      shown = box != nullptr;
      if (box != nullptr) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
      }
      modal->close();
    });
    application.ReportError(*testCase.error);
    EXPECT_EQ(shown, testCase.boxShown) << testCase.text.toStdString();
    if (testCase.boxShown) {
      EXPECT_EQ(title, QStringLiteral("Word game"));
      EXPECT_EQ(text, testCase.text);
      EXPECT_EQ(icon, QMessageBox::Critical);
      EXPECT_EQ(buttons, 1);
    }
  }
}

// Finds the file dialog once it is open and types `name` into it.
std::unique_ptr<ModalWatcher> ChooseInOpenDialog(const QString& name, bool accept, QStringList* filters = nullptr) {
  return std::make_unique<ModalWatcher>([=](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) {
      ADD_FAILURE() << "no file dialog";
      modal->close();
      return;
    }
    if (filters != nullptr) *filters = dialog->nameFilters();
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    if (!accept) {
      dialog->reject();
      return;
    }
    dialog->selectFile(name);
    // QFileDialog::accept is protected; through QDialog it is the same call.
    static_cast<QDialog*>(dialog)->accept();
  });
}

class OpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    root_ = std::filesystem::temp_directory_path() / ("zembrot_frame_" + std::to_string(QCoreApplication::applicationPid()));
    folder_ = root_ / std::filesystem::path(u8"词表");
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / std::filesystem::path(u8"食物.txt")) << "apple,x\n";
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(root_);
  }

  static QString ToQ(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

  std::filesystem::path previous_;
  std::filesystem::path root_;
  std::filesystem::path folder_;
};

TEST_F(OpenDialogTest, ChosenFileGivesItsFullPathAndMakesItsFolderCurrent) {
  struct Case {
    const char* name;
    std::filesystem::path chosen;
  };
  const std::vector<Case> cases = {
      {"existing file", folder_ / std::filesystem::path(u8"食物.txt")},
      {"typed name that does not exist", folder_ / "missing.txt"},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    std::filesystem::current_path(previous_);
    TOpenDialog dialog;
    dialog.Filter = "*.txt|*.txt";
    QStringList filters;
    const auto watcher = ChooseInOpenDialog(ToQ(testCase.chosen), true, &filters);
    ASSERT_TRUE(dialog.ExecuteDialog());
    EXPECT_EQ(filters, QStringList{QStringLiteral("*.txt")});
    EXPECT_EQ(dialog.FileName, FileNameToCodePage(testCase.chosen));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder_));
    EXPECT_EQ(dialog.FilterIndex, 1);
  }
}

TEST_F(OpenDialogTest, CancelReturnsFalseAndChangesNothing) {
  TOpenDialog dialog;
  dialog.Filter = "*.txt|*.txt";
  const auto watcher = ChooseInOpenDialog(QString(), false);
  EXPECT_FALSE(dialog.ExecuteDialog());
  EXPECT_TRUE(dialog.FileName.empty());
  EXPECT_EQ(std::filesystem::current_path(), previous_);
}

// A folder named with characters the code page lacks: FileName shows them
// as "?", and the file is still known by the name the system gave.
TEST_F(OpenDialogTest, FileInAFolderNamedOutsideTheCodePageKeepsTheSystemsName) {
  const std::filesystem::path folder = root_ / std::filesystem::path(u8"lists😀");
  const std::filesystem::path chosen = folder / std::filesystem::path(u8"食物.txt");
  std::filesystem::create_directories(folder);
  std::ofstream(chosen) << "apple,x\n";
  TOpenDialog dialog;
  dialog.Filter = "*.txt|*.txt";
  const auto watcher = ChooseInOpenDialog(ToQ(chosen), true);
  ASSERT_TRUE(dialog.ExecuteDialog());
  EXPECT_EQ(dialog.SystemFileName(), chosen);
  EXPECT_EQ(dialog.FileName, FileNameToCodePage(root_) + "/lists?/\xCA\xB3\xCE\xEF.txt");
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder));
}

TEST(OpenDialogFileNameTest, SystemFileNameFollowsFileName) {
  const std::filesystem::path chosen = std::filesystem::path(u8"/data/문서/食物.txt");
  struct Case {
    const char* name;
    bool choose;
    const char* fileNameAfter;  // nullptr: FileName is left as the choice set it
    std::filesystem::path expected;
  };
  const std::vector<Case> cases = {
      {"nothing chosen", false, nullptr, std::filesystem::path()},
      {"name assigned, nothing chosen", false, "/data/\xCA\xB3.txt", std::filesystem::path(u8"/data/食.txt")},
      {"chosen", true, nullptr, chosen},
      {"same bytes assigned again", true, "/data/?\?/\xCA\xB3\xCE\xEF.txt", chosen},
      {"another name assigned", true, "/data/\xCA\xB3.txt", std::filesystem::path(u8"/data/食.txt")},
  };
  for (const Case& testCase : cases) {
    TOpenDialog dialog;
    if (testCase.choose) dialog.SetChosenFile(chosen);
    if (testCase.fileNameAfter != nullptr) dialog.FileName = testCase.fileNameAfter;
    EXPECT_EQ(dialog.SystemFileName(), testCase.expected) << testCase.name;
  }
}

TEST_F(OpenDialogTest, FilterPairsBecomeNameFilters) {
  struct Case {
    const char* filter;
    QStringList expected;
  };
  const std::vector<Case> cases = {
      {"*.txt|*.txt", {"*.txt"}},
      {"Text|*.txt;*.text|All|*.*", {"Text (*.txt *.text)", "All (*.*)"}},
  };
  for (const Case& testCase : cases) {
    TOpenDialog dialog;
    dialog.Filter = testCase.filter;
    QStringList filters;
    const auto watcher = ChooseInOpenDialog(QString(), false, &filters);
    dialog.ExecuteDialog();
    EXPECT_EQ(filters, testCase.expected) << testCase.filter;
  }
}

// Records what the game asks of the seam.
class FakeServices final : public Services {
 public:
  void Randomize() override { ++randomizeCalls; }
  int Random(int range) override { return range - 1; }
  void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  bool ExecuteOpenDialog(TOpenDialog& dialog) override {
    dialog.FileName = "/chosen.txt";
    return true;
  }
  std::shared_ptr<SpeechServer> CreateSpeechServer() override { return nullptr; }

  int randomizeCalls = 0;
  std::vector<int> sleeps;
  std::vector<std::string> notices;
};

TEST(ServicesTest, InstalledServicesReplaceTheRealOnesUntilRemoved) {
  FakeServices fake;
  InstallServices(&fake);
  EXPECT_EQ(&CurrentServices(), &fake);
  ShowNotice("Game over");
  TOpenDialog dialog;
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "/chosen.txt");
  EXPECT_EQ(fake.notices, std::vector<std::string>{"Game over"});
  InstallServices(nullptr);
  EXPECT_NE(&CurrentServices(), &fake);
}

TEST(ServicesTest, RealRandomIsInRangeAndSleepBlocks) {
  Services& real = CurrentServices();
  real.Randomize();
  for (const int range : {1, 2, 7, 100}) {
    for (int draw = 0; draw < 200; ++draw) {
      const int value = real.Random(range);
      ASSERT_GE(value, 0);
      ASSERT_LT(value, range);
    }
  }
  EXPECT_EQ(real.Random(0), 0);
  TTimer timer;
  int ticks = 0;
  timer.SetInterval(1);
  timer.SetOnTimer([&](QObject*) { ++ticks; });
  QElapsedTimer clock;
  clock.start();
  real.Sleep(30);
  EXPECT_GE(clock.elapsed(), 29);
  EXPECT_EQ(ticks, 0) << "no timer runs during the pause";
}

}  // namespace
}  // namespace zembrot
