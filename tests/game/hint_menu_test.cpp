// The hint line, the alternation and the menu commands.

#include <chrono>
#include <filesystem>
#include <thread>
#include <fstream>

#include "base/code_page.h"
#include "content/string_list.h"
#include "frame/menu.h"
#include "frame/timer.h"
#include "game_fixture.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot::testing {
namespace {

using HintTest = GameTest;
using MenuTest = GameTest;

TEST_F(HintTest, UntickedBoxLeavesTheHintLineAlone) {
  form_->TopSlot = 0;
  TZbLabel* word = PlaceWord(0, "苹果", "apple", 100, 100);
  form_->UpdateHint();
  EXPECT_EQ(form_->CheckBox1->Caption(), G("英文提示"));
  EXPECT_FALSE(word->Blinking());
  EXPECT_FALSE(form_->Timer2->Enabled());
  // Enter copies the empty hint to the line.
  Enter();
  EXPECT_EQ(form_->CheckBox1->Caption(), "");
}

// Enabling the running reveal timer is no change: a run of fresh hints is
// revealed nine seconds after its first one.
TEST_F(HintTest, RunOfHintsIsRevealedNineSecondsAfterItsFirst) {
  form_->CheckBox1->SetChecked(true);
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 100);
  services_.ExpectDraw(5, 0);
  form_->UpdateHint();
  ASSERT_TRUE(form_->Timer2->Counting());
  EXPECT_GT(form_->Timer2->RemainingTime(), 8900);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  services_.ExpectDraw(5, 1);
  form_->UpdateHint();
  EXPECT_EQ(form_->CheckBox1->Caption(), G("苹果apple").replace(1, 1, "?"));
  EXPECT_LE(form_->Timer2->RemainingTime(), 8750);
  form_->Timer2->SetEnabled(false);
}

struct MaskCase {
  const char* caption;
  const char* hint;
  int draw;  // -1: no draw for an empty hint
  int maskedByte;
};

class HintMaskTest : public GameTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(HintMaskTest, MasksOneByteCountedFromTheStartOfTheCaption) {
  const MaskCase& c = GetParam();
  form_->CheckBox1->SetChecked(true);
  form_->TopSlot = 0;
  PlaceWord(0, c.caption, c.hint, 100, 100);
  if (c.draw >= 0) services_.ExpectDraw(static_cast<int>(G(c.hint).size()), c.draw);
  const int randomized = services_.randomizeCount;
  form_->UpdateHint();
  std::string expected = G(std::string(c.caption) + c.hint);
  EXPECT_EQ(form_->HintText, expected);
  expected[static_cast<std::size_t>(c.maskedByte)] = '?';
  EXPECT_EQ(form_->CheckBox1->Caption(), expected);
  EXPECT_TRUE(form_->Timer2->Enabled());
  EXPECT_EQ(services_.randomizeCount, randomized + 1);

  // Nine seconds later the whole text shows, and the word blinks at the
  // next refresh while the line stays.
  form_->Timer2Timer(form_->Timer2);
  EXPECT_FALSE(form_->Timer2->Enabled());
  EXPECT_EQ(form_->CheckBox1->Caption(), form_->HintText);
  form_->UpdateHint();
  EXPECT_EQ(form_->CheckBox1->Caption(), form_->HintText);
  EXPECT_EQ(form_->WordSlots[0]->Blinking(), !std::string(c.caption).empty());
}

INSTANTIATE_TEST_SUITE_P(Masks, HintMaskTest,
                         ::testing::Values(MaskCase{"苹果", "apple", 0, 0}, MaskCase{"苹果", "apple", 4, 4},
                                           MaskCase{"apple", "x", 0, 0}, MaskCase{"pear", "梨", 1, 1},
                                           MaskCase{"面包", "", -1, 0}));

TEST_F(HintTest, LastVisitedWordEndsOnTheLine) {
  form_->CheckBox1->SetChecked(true);
  form_->TopSlot = 1;
  PlaceWord(0, "苹果", "apple", 100, 100);
  PlaceWord(1, "梨", "pear", 300, 100);
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(4, 3);
  form_->UpdateHint();
  EXPECT_EQ(form_->HintText, G("梨pear"));
  EXPECT_EQ(form_->CheckBox1->Caption(), G("梨pear").replace(3, 1, "?"));
}

TEST_F(HintTest, FallTickRefreshesTheHintBeforeEachWordMoves) {
  form_->CheckBox1->SetChecked(true);
  form_->TopSlot = 4;  // no spawn in this tick
  TZbLabel* apple = PlaceWord(0, "苹果", "apple", 100, 100);
  TZbLabel* pear = PlaceWord(1, "梨", "pear", 400, 100);
  // Before slot 0 moves: a fresh hint for each visited word, the last one
  // (梨?ear) staying on the line.
  services_.ExpectDraw(5, 2);
  services_.ExpectDraw(4, 2);
  services_.ExpectDraw(5, 1);  // slot 0 falls 2
  // Before slot 1 moves: the line shows 梨, so that word blinks and no new
  // hint is drawn.
  services_.ExpectDraw(5, 3);  // slot 1 falls 4
  Tick();
  EXPECT_EQ(services_.drawRanges, (std::vector<int>{5, 4, 5, 5}));
  EXPECT_EQ(apple->Top(), 102);
  EXPECT_EQ(pear->Top(), 104);
  EXPECT_EQ(form_->HintText, G("梨pear"));
  EXPECT_EQ(form_->CheckBox1->Caption(), G("梨?ear"));
  EXPECT_FALSE(apple->Blinking());
  EXPECT_TRUE(pear->Blinking());
  EXPECT_EQ(services_.randomizeCount, 3);  // the tick and two hints
}

TEST_F(MenuTest, AlternationSwapsTheTextsOfVisitedWords) {
  form_->TopSlot = 0;
  TZbLabel* visited = PlaceWord(0, "苹果", "apple", 100, 100);
  TZbLabel* above = PlaceWord(1, "梨", "pear", 300, 100);
  form_->Timer3Timer(form_->Timer3);
  EXPECT_EQ(visited->Caption(), "apple");
  EXPECT_EQ(visited->Hint(), G("苹果"));
  EXPECT_EQ(above->Caption(), G("梨"));
  form_->Timer3Timer(form_->Timer3);
  EXPECT_EQ(visited->Caption(), G("苹果"));
}

TEST_F(MenuTest, SettingsToggleTheirCheckMarks) {
  form_->N2->Click();
  EXPECT_TRUE(form_->N2->Checked());
  form_->N2->Click();
  EXPECT_FALSE(form_->N2->Checked());

  form_->N4->Click();
  EXPECT_FALSE(form_->N4->Checked());
  EXPECT_FALSE(form_->Timer3->Enabled());
  form_->N4->Click();
  EXPECT_TRUE(form_->N4->Checked());
  EXPECT_TRUE(form_->Timer3->Enabled());
}

TEST_F(MenuTest, HelpShowsThreeLines) {
  form_->N5->Click();
  ASSERT_EQ(services_.notices.size(), 1u);
  const std::string& text = services_.notices.at(0);
  EXPECT_EQ(text.rfind(G("作者邮件 "), 0), 0u);
  EXPECT_NE(text.find("\r" + G("软件必须有为微软朗读引擎才可以使用") + "\r" + G("点开始后输入屏幕落下的单词,只输入英文")),
            std::string::npos);
}

TEST_F(MenuTest, CustomContentExplainsThenLoadsTheChosenFile) {
  std::ofstream(folder_ / "other.txt", std::ios::binary) << G("milk,牛奶") << "\r\n";
  services_.openDialogChoices.push_back(FileNameToCodePage(folder_ / "other.txt"));
  form_->NextLine = 2;
  form_->TopSlot = 0;
  form_->PendingDelete = 1;
  TZbLabel* word = PlaceWord(0, "苹果", "apple", 100, 100);
  form_->N3->Click();
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(services_.notices.at(0),
            G("可以自己用写字板建立练习内容,每行先打英语,后打中文,中间用逗号分隔,例子文件:") + "\r" +
                FileNameToCodePage(folder_ / CodePageToFileName(G("食物.txt"))));
  EXPECT_EQ(PracticeLines(), std::vector<std::string>{G("milk,牛奶")});
  EXPECT_EQ(form_->NextLine, 2);
  EXPECT_EQ(form_->PendingDelete, -1);  // the mark named a line of the old list
  EXPECT_EQ(form_->WordSlots[0], word);

  // Cancelled: nothing changes.
  form_->PendingDelete = 0;
  form_->N3->Click();
  EXPECT_EQ(form_->PendingDelete, 0);
  EXPECT_EQ(services_.openDialogRuns, 2);
  EXPECT_EQ(PracticeLines(), std::vector<std::string>{G("milk,牛奶")});
}

TEST_F(MenuTest, UnreadableChosenFileIsReportedAndTheListStays) {
  services_.openDialogChoices.push_back(FileNameToCodePage(folder_ / "missing.txt"));
  form_->PendingDelete = 2;
  form_->N3->Click();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_.at(0).rfind("Cannot open file", 0), 0u);
  EXPECT_EQ(form_->PracticeList->LineCount(), 3);
  EXPECT_EQ(form_->PendingDelete, 2);
}

}  // namespace
}  // namespace zembrot::testing
