// What the game tells its learning log about each word.

#include <string>
#include <vector>

#include "frame/menu.h"
#include "frame/timer.h"
#include "game/core/learning_log.h"
#include "game_fixture.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot::testing {
namespace {

using game::Outcome;
using game::Shown;

class RecordingLog final : public game::LearningLog {
 public:
  void GameStarted(const std::string& list, std::int64_t atMs) override {
    events.push_back("start " + list + " " + std::to_string(atMs));
  }
  void WordDone(const game::WordOutcome& outcome) override { words.push_back(outcome); }
  void GameEnded(std::int64_t atMs) override { events.push_back("end " + std::to_string(atMs)); }

  std::vector<std::string> events;
  std::vector<game::WordOutcome> words;
};

class LearningLogTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    form_->SetLearningLog(log_);
    services_.DrawFreely(7);
  }
  // Spawns the first line of the list into slot 0 at Left 100.
  TZbLabel* Spawn() {
    form_->TopSlot = -1;
    form_->NextLine = 0;
    services_.ExpectDraw(820, 0);
    services_.ExpectDraw(780, 100);
    Tick();
    return form_->WordSlots[0];
  }
  RecordingLog log_;
};

struct MatchCase {
  const char* name;
  bool wholeLine, alternate, hint;
  const char* typed;
  Outcome outcome;
  Shown shown;
  unsigned interval;  // one faster after every match before
};

TEST_F(LearningLogTest, EachMatchIsToldWithWhatTheWordShowed) {
  const std::vector<MatchCase> cases = {
      {"recalled in capitals", false, false, false, "APPLE", Outcome::Recalled, Shown::Chinese, 500},
      {"English showing after a swap", false, true, false, "apple", Outcome::Copied, Shown::English, 499},
      {"whole line showing", true, false, false, "apple", Outcome::Copied, Shown::WholeLine, 498},
      {"recalled with the hint box ticked", false, false, true, "apple", Outcome::Recalled, Shown::Chinese, 497},
  };
  SetPracticeLines({"apple,苹果", "pear,梨"});
  for (const MatchCase& c : cases) {
    log_.words.clear();
    if (c.wholeLine != form_->N2->Checked()) form_->N2Click(form_->N2);
    form_->CheckBox1->SetChecked(c.hint);
    Spawn();
    services_.nowMs += 2500;
    if (c.alternate) form_->Timer3Timer(form_->Timer3);
    Type(c.typed);
    Enter();
    ASSERT_EQ(log_.words.size(), 1u) << c.name;
    const game::WordOutcome& done = log_.words.at(0);
    EXPECT_EQ(done.english, "apple") << c.name;  // the pair spawned, whatever shows
    EXPECT_EQ(done.chinese, G("苹果")) << c.name;
    EXPECT_EQ(done.outcome, c.outcome) << c.name;
    EXPECT_EQ(done.shown, c.shown) << c.name;
    EXPECT_EQ(done.onFieldMs, 2500) << c.name;
    EXPECT_EQ(done.hintTicked, c.hint) << c.name;
    EXPECT_EQ(done.wholeLineSetting, c.wholeLine) << c.name;
    EXPECT_EQ(done.fallIntervalMs, c.interval) << c.name;
    DestroyAllWords();
  }
}

TEST_F(LearningLogTest, AMissIsToldAndTwoMatchesOnOneEnterAreTwo) {
  SetPracticeLines({"apple,苹果", "pear,梨"});
  TZbLabel* word = Spawn();
  form_->Timer3Timer(form_->Timer3);  // shows "apple" as it falls out
  word->SetTop(450);
  form_->TopSlot = 1;
  services_.ExpectDraw(5, 0);
  Tick();
  ASSERT_EQ(log_.words.size(), 1u);
  EXPECT_EQ(log_.words.at(0).outcome, Outcome::Missed);
  EXPECT_EQ(log_.words.at(0).shown, Shown::English);
  EXPECT_EQ(log_.words.at(0).english, "apple");

  SetPracticeLines({"tea,茶", "tea,茶"});
  DestroyAllWords();
  form_->TopSlot = 0;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 100);
  services_.ExpectDraw(780, 500);
  Tick();  // slots 0 and 1
  Type("tea");
  Enter();
  ASSERT_EQ(log_.words.size(), 3u);
  EXPECT_EQ(log_.words.at(1).outcome, Outcome::Recalled);
  EXPECT_EQ(log_.words.at(2).outcome, Outcome::Recalled);
}

TEST_F(LearningLogTest, LinesWithoutACommaAndPlacedWordsAreNotTold) {
  SetPracticeLines({"apple"});
  Spawn();
  Enter();  // an empty typed text matches the empty caption
  PlaceWord(1, "梨", "pear", 300, 100);
  form_->TopSlot = 1;
  Type("pear");
  Enter();
  EXPECT_TRUE(log_.words.empty());
}

TEST_F(LearningLogTest, StartAndEndAreToldOnceEach) {
  services_.nowMs = 5;
  ClickStart();
  services_.nowMs = 9;
  ClickStart();
  ClickStart();
  form_.reset();  // the window closes during the game
  const std::string list = folder_.string() + "/" + G("食物.txt");
  EXPECT_EQ(log_.events, (std::vector<std::string>{"start " + list + " 5", "end 9", "start " + list + " 9", "end 9"}));
}

}  // namespace
}  // namespace zembrot::testing
