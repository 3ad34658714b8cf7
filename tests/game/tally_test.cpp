// The mastery tally, the pruning of mastered lines and the end of the game.

#include "content/string_list.h"
#include "frame/timer.h"
#include "game_fixture.h"
#include "widgets/zb_label.h"

namespace zembrot::testing {
namespace {

class TallyTest : public GameTest {
 protected:
  // Matches a word showing `caption` with `hint` in slot 0 by typing `typed`.
  void MatchWord(const std::string& caption, const std::string& hint, const std::string& typed) {
    form_->TopSlot = 0;
    PlaceWord(0, caption, hint, 100, 100);
    Type(typed);
    ExpectCelebration();
    Enter();
    ASSERT_EQ(form_->WordSlots[0], nullptr) << "no match for " << typed;
  }
};

TEST_F(TallyTest, SevenMatchesCountThenTheEighthMarksTheLineForTheNextSpawn) {
  SetPracticeLines({"apple,苹果", "pear,梨", "tea,茶"});
  for (int match = 0; match < 7; ++match) {
    MatchWord("苹果", "apple", "apple");
    EXPECT_EQ(TallyLines(), std::vector<std::string>{G("苹果apple;") + std::to_string(match)});
    EXPECT_EQ(form_->PendingDelete, -1);
  }
  MatchWord("苹果", "apple", "apple");
  EXPECT_EQ(TallyLines(), std::vector<std::string>{G("苹果apple;6")});
  EXPECT_EQ(form_->PendingDelete, 0);
  EXPECT_EQ(form_->PracticeList->LineCount(), 3);

  // The next spawn reads its line, then removes the marked one.
  form_->NextLine = 1;
  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  EXPECT_EQ(form_->WordSlots[0]->Hint(), "pear");
  EXPECT_EQ(PracticeLines(), (std::vector<std::string>{"pear," + G("梨"), "tea," + G("茶")}));
  EXPECT_EQ(form_->PendingDelete, -1);
  EXPECT_TRUE(services_.notices.empty());
}

TEST_F(TallyTest, AlternatedWordFindsItsEntry) {
  SetPracticeLines({"apple,苹果", "pear,梨", "tea,茶"});
  MatchWord("苹果", "apple", "apple");
  MatchWord("apple", "苹果", "apple");  // texts swapped by the alternation
  EXPECT_EQ(TallyLines(), std::vector<std::string>{G("苹果apple;1")});
}

struct EntryCase {
  const char* name;
  std::vector<std::string> before;  // UTF-8
  const char* caption;
  const char* hint;
  std::vector<std::string> after;
};

class TallyEntryTest : public TallyTest, public ::testing::WithParamInterface<EntryCase> {};

// Issue: an entry belongs to the word only when it is the word's own two
// texts; the count follows the last semicolon.
TEST_P(TallyEntryTest, FindsOnlyTheSameWord) {
  const EntryCase& c = GetParam();
  SetPracticeLines({"apple,苹果", "pear,梨", "tea,茶"});
  for (const std::string& line : c.before) form_->TallyList->AppendLine(G(line));
  form_->TopSlot = 0;
  PlaceWord(0, c.caption, c.hint, 100, 100);
  form_->TypedText = G(c.hint);
  ExpectCelebration();
  Enter();
  std::vector<std::string> expected;
  for (const std::string& line : c.after) expected.push_back(G(line));
  EXPECT_EQ(TallyLines(), expected) << c.name;
  EXPECT_TRUE(errors_.empty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TallyEntryTest,
    ::testing::Values(
        EntryCase{"first match appends", {}, "苹果", "apple", {"苹果apple;0"}},
        EntryCase{"own entry raised", {"苹果apple;3"}, "苹果", "apple", {"苹果apple;4"}},
        EntryCase{"swapped entry raised", {"apple苹果;3"}, "苹果", "apple", {"apple苹果;4"}},
        EntryCase{"longer word containing the hint is not it",
                  {"菠萝pineapple;3"}, "苹果", "apple", {"菠萝pineapple;3", "苹果apple;0"}},
        EntryCase{"a single letter finds no other word", {"苹果apple;2"}, "字母", "a", {"苹果apple;2", "字母a;0"}},
        EntryCase{"newest of two entries counts", {"苹果apple;1", "梨pear;0", "苹果apple;4"}, "苹果", "apple",
                  {"苹果apple;1", "梨pear;0", "苹果apple;5"}},
        EntryCase{"semicolon inside the word", {"x;ysemi;2"}, "x;y", "semi", {"x;ysemi;3"}},
        EntryCase{"semicolon word first match", {}, "a;b", "c;d", {"a;bc;d;0"}},
        EntryCase{"count 6 is not raised", {"苹果apple;6"}, "苹果", "apple", {"苹果apple;6"}},
        EntryCase{"empty hint never finds an entry", {"面包;0"}, "面包", "", {"面包;0", "面包;0"}}));

struct MarkCase {
  const char* name;
  std::vector<std::string> lines;
  const char* caption;
  const char* hint;
  int expected;
};

class MarkTest : public TallyTest, public ::testing::WithParamInterface<MarkCase> {};

// Issue: the marked line is the last whose English text equals one of the
// word's texts.
TEST_P(MarkTest, MarksTheLastLineWithTheWordsEnglishText) {
  const MarkCase& c = GetParam();
  SetPracticeLines(c.lines);
  form_->TallyList->AppendLine(G(std::string(c.caption) + c.hint + ";6"));
  form_->TopSlot = 0;
  PlaceWord(0, c.caption, c.hint, 100, 100);
  form_->TypedText = G(c.hint);
  ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->PendingDelete, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MarkTest,
    ::testing::Values(
        MarkCase{"plain", {"apple,苹果", "pear,梨"}, "苹果", "apple", 0},
        MarkCase{"pineapple is not apple", {"apple,苹果", "pineapple,菠萝", "pear,梨"}, "苹果", "apple", 0},
        MarkCase{"last of two wins", {"apple,苹果", "pear,梨", " apple ,苹果"}, "苹果", "apple", 2},
        MarkCase{"swapped texts", {"pear,梨", "apple,苹果", "tea,茶"}, "apple", "苹果", 1},
        MarkCase{"whole line shown", {"pear,梨", "apple,苹果"}, "apple,苹果", "apple", 1},
        MarkCase{"no such line any more", {"pear,梨", "tea,茶"}, "苹果", "apple", -1}));

TEST_F(TallyTest, GameOverNoticeListsTheRemainingLinesAndStopsTheFall) {
  SetPracticeLines({"apple,苹果"});
  ClickStart();
  bool fallingDuringNotice = false;
  services_.onNotice = [&](const std::string&) { fallingDuringNotice = form_->Timer1->Enabled(); };
  MatchWord("苹果", "apple", "apple");
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(services_.notices.at(0), G("游戏结束,下面单词不熟练:") + "\r" + G("apple,苹果") + "\r\n");
  EXPECT_TRUE(fallingDuringNotice);
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_TRUE(form_->Timer3->Enabled());  // only the fall stops
  EXPECT_EQ(form_->WordSlots[0], nullptr);

  // Every later match says it again.
  MatchWord("苹果", "apple", "apple");
  EXPECT_EQ(services_.notices.size(), 2u);
}

TEST_F(TallyTest, GameOverWaitsForThePendingRemoval) {
  SetPracticeLines({"apple,苹果", "pear,梨"});
  form_->TallyList->AppendLine(G("苹果apple;6"));
  MatchWord("苹果", "apple", "apple");
  EXPECT_EQ(form_->PendingDelete, 0);
  EXPECT_TRUE(services_.notices.empty());

  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  EXPECT_EQ(PracticeLines(), std::vector<std::string>{"pear," + G("梨")});

  DestroyAllWords();
  MatchWord("梨", "pear", "pear");
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(services_.notices.at(0), G("游戏结束,下面单词不熟练:") + "\r" + G("pear,梨") + "\r\n");
}

// Blank lines are never spawned, so they do not keep the game going.
TEST_F(TallyTest, BlankLinesDoNotCountTowardsTheEndOfTheGame) {
  SetPracticeLines({"apple,苹果", "", ""});
  MatchWord("苹果", "apple", "apple");
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(services_.notices.at(0), G("游戏结束,下面单词不熟练:") + "\r" + G("apple,苹果") + "\r\n\r\n\r\n");
  EXPECT_FALSE(form_->Timer1->Enabled());
}

TEST_F(TallyTest, UnreadableCountIsReportedAndTheWordStays) {
  form_->TallyList->AppendLine(G("苹果apple;x"));
  form_->TopSlot = 0;
  TZbLabel* word = PlaceWord(0, "苹果", "apple", 100, 100);
  Type("apple");
  ExpectCelebration();
  Enter();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_.at(0), "'x' is not a valid integer value");
  EXPECT_EQ(form_->WordSlots[0], word);
  EXPECT_EQ(form_->Score, 1);
}

// A tick inside the game-over notice may take the celebrated word off the
// field (or put a new word into its slot); the match must not free it twice.
TEST_F(TallyTest, WordRemovedByATickInsideTheNoticeIsNotDestroyedAgain) {
  SetPracticeLines({"apple,苹果"});
  form_->TopSlot = 0;
  PlaceWord(0, "苹果", "apple", 100, 448);
  services_.onNotice = [&](const std::string&) {
    services_.onNotice = nullptr;
    form_->TopSlot = 1;  // so that the tick moves slot 0
    services_.ExpectDraw(5, 4);
    services_.ExpectDraw(820, 0);   // gate at TopSlot 0
    services_.ExpectDraw(780, 50);  // refills slot 0 and 1
    services_.ExpectDraw(780, 400);
    Tick();
  };
  Type("apple");
  ExpectCelebration();
  Enter();
  ASSERT_NE(form_->WordSlots[0], nullptr);
  EXPECT_EQ(form_->WordSlots[0]->Left(), 50);  // the new word stays
  EXPECT_EQ(form_->WordSlots[0]->Caption(), G("苹果"));
  EXPECT_EQ(form_->TopSlot, 1);
  EXPECT_EQ(form_->Score, 0);  // +1 for the match, -1 for the miss
  EXPECT_EQ(WordCount(), 2);
}

}  // namespace
}  // namespace zembrot::testing
