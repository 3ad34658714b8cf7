// A practice line of 10 MB ("apple," and Chinese text) through the real main
// window: it falls, is hinted, is typed and matched, and is listed in the
// game-over notice, and every one of these stays bounded in what it lays out.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <QGuiApplication>
#include <QScreen>

#include "app/main_window_layout.h"
#include "base/code_page.h"
#include "content/string_list.h"
#include "frame/message_form_dialog.h"
#include "frame/timer.h"
#include "game_fixture.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot::testing {
namespace {

using LongLineTest = GameTest;

std::string Repeated(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Wider than any label of 1024 characters and an ellipsis can be at this size.
constexpr int kCutWidthAt20Points = 1025 * 30;

TEST_F(LongLineTest, TenMegabyteLineFallsIsHintedMatchedAndListedAtGameOver) {
  const std::string chinese = Repeated(G("中文"), 10 * 1024 * 1024 / 4);
  const std::string line = "apple," + chinese;
  form_->PracticeList->SplitIntoLines(line + "\r\n");
  form_->CheckBox1->SetChecked(true);
  ClickStart();

  // The spawn: the word shows the Chinese text and keeps "apple".
  form_->NextLine = 0;
  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  TZbLabel* word = form_->WordSlots[0];
  ASSERT_NE(word, nullptr);
  EXPECT_TRUE(word->Caption() == chinese) << word->Caption().size();
  EXPECT_EQ(word->Hint(), "apple");
  EXPECT_GT(word->Width(), 1000);
  EXPECT_LT(word->Width(), kCutWidthAt20Points);

  // The hint: masked, then whole, then the word blinks.
  services_.ExpectDraw(5, 2);
  form_->UpdateHint();
  EXPECT_TRUE(form_->HintText == chinese + "apple") << form_->HintText.size();
  EXPECT_EQ(form_->CheckBox1->Caption().size(), chinese.size() + 5);
  form_->Timer2Timer(form_->Timer2);
  EXPECT_TRUE(form_->CheckBox1->Caption() == chinese + "apple");
  form_->UpdateHint();
  EXPECT_TRUE(word->Blinking());

  // The typed line holds a caption as long, measured on its cut.
  form_->ZbLabel1->SetCaption(line);
  EXPECT_LT(form_->ZbLabel1->Width(), 1025 * 20);
  form_->ZbLabel1->SetCaption("");

  // Matching compares the whole texts: "apple" matches, at the last list
  // line the game is over, and its notice fits on the screen.
  QRect noticeGeometry;
  std::string copied;
  services_.onNotice = [&](const std::string& text) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const TMessageForm notice("Zembrot", text, screen.width() / 2);
    noticeGeometry = notice.geometry();
    copied = notice.ClipboardText();
  };
  Type("apple");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->WordSlots[0], nullptr);
  EXPECT_EQ(form_->Score, 1);
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_TRUE(services_.notices.at(0) == G("游戏结束,下面单词不熟练:") + "\r" + line + "\r\n");
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(noticeGeometry.width(), screen.width());
  EXPECT_LE(noticeGeometry.height(), screen.height());
  EXPECT_NE(copied.find(line), std::string::npos);
}

TEST_F(LongLineTest, TypingTheWholeLongTextMatchesOnlyItself) {
  const std::string chinese = Repeated(G("中"), 3000);
  form_->TopSlot = 0;
  TZbLabel* word = PlaceWord(0, "", "apple", 100, 100);
  word->SetCaption(chinese);
  // One byte short is no match, the whole text is.
  form_->TypedText = chinese.substr(0, chinese.size() - 1);
  Enter();
  EXPECT_EQ(form_->WordSlots[0], word);
  form_->TypedText = chinese;
  ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->WordSlots[0], nullptr);
}

class HostileDefaultFileTest : public GameTest {
 protected:
  std::vector<std::string> DefaultPracticeLines() const override { return {}; }
};

// A default list that is a pipe or a folder is refused by name at start-up;
// the window still opens, with an empty list, and nothing waits for a writer.
TEST_F(HostileDefaultFileTest, PipeOrFolderAsDefaultListIsRefusedAndTheWindowOpens) {
  const std::filesystem::path path = folder_ / CodePageToFileName(G("食物.txt"));
  const std::string shownPath = FileNameToCodePage(path);
  const struct {
    const char* kind;
    std::function<void()> make;
    std::string error;
  } cases[] = {
      {"pipe", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
       "Cannot open file \"" + shownPath + "\". It is a pipe, not a file"},
      {"folder", [&] { std::filesystem::create_directory(path); },
       "Cannot open file \"" + shownPath + "\". Is a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    form_.reset();
    std::filesystem::remove(path);
    c.make();
    errors_.clear();
    form_ = CreateMainWindow();
    EXPECT_EQ(errors_, std::vector<std::string>{c.error});
    EXPECT_EQ(form_->PracticeList->LineCount(), 0);
    form_->show();
    EXPECT_TRUE(form_->isVisible());
  }
}

}  // namespace
}  // namespace zembrot::testing
