// The fall tick: what moves, what crowds, what leaves, what spawns.

#include <QCoreApplication>
#include <QMetaObject>

#include "content/string_list.h"
#include "frame/menu.h"
#include "frame/timer.h"
#include "game_fixture.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot::testing {
namespace {

using FallTickTest = GameTest;

TEST_F(FallTickTest, FirstTicksSpawnOneWordEachAndNothingFallsBeforeTheThird) {
  ClickStart();
  ASSERT_EQ(form_->TopSlot, -1);

  // Tick 1: no move; the gate admits, slot 0 takes line 0.
  services_.ExpectDraw(820, 400);
  services_.ExpectDraw(780, 10);
  Tick();
  EXPECT_EQ(form_->Caption(), G("得分:0"));
  EXPECT_EQ(form_->TopSlot, 0);
  ASSERT_NE(form_->WordSlots[0], nullptr);
  EXPECT_EQ(form_->WordSlots[0]->Caption(), G("苹果"));
  EXPECT_EQ(form_->WordSlots[0]->Hint(), "apple");
  EXPECT_EQ(form_->WordSlots[0]->Left(), 10);
  EXPECT_EQ(form_->WordSlots[0]->Top(), 0);

  // Tick 2: TopSlot 0 still moves nothing; slot 1 takes line 1.
  services_.ExpectDraw(820, 400);
  services_.ExpectDraw(780, 600);
  Tick();
  EXPECT_EQ(form_->TopSlot, 1);
  ASSERT_NE(form_->WordSlots[1], nullptr);
  EXPECT_EQ(form_->WordSlots[1]->Hint(), "pear");
  EXPECT_EQ(form_->WordSlots[0]->Top(), 0);

  // Tick 3: both fall by 1 + the draw; the gate abscissa 100 is far from the
  // word at 600 in slot 1, so slot 2 takes line 2.
  services_.ExpectDraw(5, 2);
  services_.ExpectDraw(5, 4);
  services_.ExpectDraw(820, 100);
  services_.ExpectDraw(780, 300);
  Tick();
  EXPECT_EQ(form_->WordSlots[0]->Top(), 3);
  EXPECT_EQ(form_->WordSlots[1]->Top(), 5);
  EXPECT_EQ(form_->TopSlot, 2);
  ASSERT_NE(form_->WordSlots[2], nullptr);
  EXPECT_EQ(form_->WordSlots[2]->Hint(), "tea");
  EXPECT_EQ(form_->NextLine, 0);  // read cyclically
  EXPECT_EQ(services_.randomizeCount, 3);
}

TEST_F(FallTickTest, SpawnedWordIsATransparentSongLabelOnThePlayField) {
  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 779);
  Tick();
  const TZbLabel* word = form_->WordSlots[0];
  ASSERT_NE(word, nullptr);
  EXPECT_EQ(word->parentWidget(), form_->ZbPanel1);
  EXPECT_EQ(word->parent(), form_->ZbPanel1);
  EXPECT_TRUE(word->Transparent());
  EXPECT_EQ(word->Font().Size(), 20);
  EXPECT_EQ(word->Font().Name(), G("宋体"));
  EXPECT_EQ(word->Left(), 779);
  EXPECT_EQ(word->Top(), 0);
  EXPECT_FALSE(word->isHidden());
}

TEST_F(FallTickTest, AmpersandFallsAsItStands) {
  SetPracticeLines({"RD,研发", "R&D,研发"});
  form_->N2->SetChecked(true);
  form_->TopSlot = -1;
  for (int tick = 0; tick < 2; ++tick) {
    services_.ExpectDraw(820, 0);
    services_.ExpectDraw(780, 0);
    Tick();
  }
  ASSERT_NE(form_->WordSlots[1], nullptr);
  EXPECT_EQ(form_->WordSlots[1]->Caption(), G("R&D,研发"));
  // Measured with its "&", not as "RD" with an underlined D.
  EXPECT_GT(form_->WordSlots[1]->Width(), form_->WordSlots[0]->Width() + 4);
}

TEST_F(FallTickTest, CrowdedLowerWordJumpsWhileTheUpperWaits) {
  form_->TopSlot = 4;  // no spawn in this tick
  TZbLabel* lower = PlaceWord(1, "苹果", "apple", 100, 100);
  TZbLabel* upper = PlaceWord(2, "梨", "pear", 120, 50);
  // Slot 1: probe 100 + 103 finds the word at 50 level or above: jump 17.
  services_.ExpectDraw(5, 2);
  services_.ExpectDraw(30, 17);
  // Slot 2: probe 50 + 53 finds the word now at 117 below it: wait.
  services_.ExpectDraw(5, 2);
  Tick();
  EXPECT_EQ(lower->Top(), 117);
  EXPECT_EQ(upper->Top(), 50);
}

TEST_F(FallTickTest, SlotZeroNeverCrowdsOthers) {
  form_->TopSlot = 4;
  TZbLabel* first = PlaceWord(0, "苹果", "apple", 100, 50);
  TZbLabel* second = PlaceWord(1, "梨", "pear", 100, 60);
  // Slot 0 sees slot 1 below it and waits; slot 1 cannot see slot 0.
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(5, 3);
  Tick();
  EXPECT_EQ(first->Top(), 50);
  EXPECT_EQ(second->Top(), 64);
}

struct FindBlockerCase {
  const char* name;
  int top;
  int left;
  int y;
  int x;
  int exclude;
  int slot;
  int expected;
};

class FindBlockerTest : public GameTest, public ::testing::WithParamInterface<FindBlockerCase> {};

TEST_P(FindBlockerTest, FindsTheCrowdingWord) {
  const FindBlockerCase& c = GetParam();
  form_->TopSlot = 2;
  TZbLabel* word = PlaceWord(c.slot, "", "x", c.left, c.top);
  word->SetWidth(40);  // an empty caption keeps a small width of its own
  const int width = word->Width();
  const int x = c.x == -1000 ? c.left + width + 149 : c.x == -2000 ? c.left + width + 150 : c.x;
  EXPECT_EQ(form_->FindBlocker(c.y, x, c.exclude), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FindBlockerTest,
    ::testing::Values(FindBlockerCase{"above counts", 10, 300, 200, 300, -1, 1, 10},
                      FindBlockerCase{"19 below counts", 219, 300, 200, 300, -1, 1, 219},
                      FindBlockerCase{"20 below does not", 220, 300, 200, 300, -1, 1, -1},
                      FindBlockerCase{"left edge 149 away", 10, 300, 200, 449, -1, 1, 10},
                      FindBlockerCase{"left edge 150 away, right edge farther", 10, 300, 200, 150 + 0, -1, 1,
                                      -1},
                      FindBlockerCase{"right edge 149 away", 10, 300, 200, -1000, -1, 1, 10},
                      FindBlockerCase{"right edge 150 away", 10, 300, 200, -2000, -1, 1, -1},
                      FindBlockerCase{"excluded slot", 10, 300, 200, 300, 1, 1, -1},
                      FindBlockerCase{"slot 0 never examined", 10, 300, 200, 300, -1, 0, -1},
                      FindBlockerCase{"slot above TopSlot not examined", 10, 300, 200, 300, -1, 3, -1}),
    [](const ::testing::TestParamInfo<FindBlockerCase>& p) { return "case" + std::to_string(p.index); });

TEST_F(FallTickTest, FindBlockerReturnsTheHighestCrowdingSlot) {
  form_->TopSlot = 3;
  PlaceWord(1, "a", "a", 100, 5);
  PlaceWord(2, "b", "b", 110, 8);
  PlaceWord(3, "c", "c", 700, 1);  // too far to the right
  EXPECT_EQ(form_->FindBlocker(100, 100, -1), 8);
}

struct BottomCase {
  int startTop;
  int draw;
  bool removed;
};

class BottomTest : public GameTest, public ::testing::WithParamInterface<BottomCase> {};

TEST_P(BottomTest, WordLeavesOnlyBelow450) {
  const BottomCase& c = GetParam();
  form_->TopSlot = 4;
  form_->Score = 2;
  PlaceWord(0, "苹果", "apple", 100, c.startTop);
  PlaceGateBlocker(1);
  services_.ExpectDraw(5, c.draw);
  services_.ExpectDraw(5, 0);
  if (c.removed) ExpectGateBlocked();
  Tick();
  EXPECT_EQ(form_->WordSlots[0] == nullptr, c.removed);
  EXPECT_EQ(form_->Score, c.removed ? 1 : 2);
  EXPECT_EQ(form_->TopSlot, c.removed ? 3 : 4);
  EXPECT_EQ(form_->Timer1->Interval(), c.removed ? 499u : 500u);
  EXPECT_EQ(form_->ZbPanel1->findChildren<TZbLabel*>().size(), c.removed ? 1u : 2u);
  // The caption shows the score from before this tick's removals.
  EXPECT_EQ(form_->Caption(), G("得分:2"));
  if (c.removed) {
    services_.ExpectDraw(5, 0);
    ExpectGateBlocked();
    Tick();
    EXPECT_EQ(form_->Caption(), G("得分:1"));
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, BottomTest,
                         ::testing::Values(BottomCase{445, 4, false}, BottomCase{446, 4, true},
                                           BottomCase{449, 0, false}, BottomCase{450, 0, true}));

TEST_F(FallTickTest, NegativeScoreShowsItsSign) {
  form_->Score = -3;
  form_->TopSlot = 4;
  Tick();
  EXPECT_EQ(form_->Caption(), G("得分:-3"));
}

struct IntervalCase {
  unsigned before;
  unsigned after;
};

class MissIntervalTest : public GameTest, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(MissIntervalTest, MissShortensTheIntervalButNeverTo0) {
  form_->Timer1->SetInterval(GetParam().before);
  form_->TopSlot = 4;
  PlaceWord(1, "苹果", "apple", 100, 450);
  PlaceGateBlocker(2);
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(5, 0);
  ExpectGateBlocked();
  Tick();
  EXPECT_EQ(form_->WordSlots[1], nullptr);
  EXPECT_EQ(form_->Timer1->Interval(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Floor, MissIntervalTest,
                         ::testing::Values(IntervalCase{500, 499}, IntervalCase{81, 80}, IntervalCase{80, 79},
                                           IntervalCase{2, 1}, IntervalCase{1, 1}));

TEST_F(FallTickTest, LoopBoundIsReadOnceSoARemovalDoesNotStopTheLoop) {
  form_->TopSlot = 2;
  PlaceWord(0, "a", "a", 0, 450);
  PlaceWord(1, "b", "b", 300, 450);
  TZbLabel* third = PlaceWord(2, "c", "c", 600, 100);
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(5, 1);
  services_.ExpectDraw(820, 0);  // gate at TopSlot 0
  services_.ExpectDraw(780, 0);  // slots 0 and 1 refilled
  services_.ExpectDraw(780, 300);
  Tick();
  EXPECT_EQ(third->Top(), 102);
  EXPECT_EQ(form_->TopSlot, 1);
  EXPECT_NE(form_->WordSlots[0], nullptr);
  EXPECT_NE(form_->WordSlots[1], nullptr);  // the spawn fills every empty slot up to TopSlot
  EXPECT_EQ(form_->WordSlots[2], third);
}

// TopSlot counts words; it is no index of the highest one. A match in slot 0
// leaves the word in slot 1 unvisited until the next spawn raises the bound.
TEST_F(FallTickTest, MatchInALowSlotHidesTheWordAboveUntilTheNextSpawn) {
  SetPracticeLines({"tea,茶"});
  form_->TopSlot = 1;
  PlaceWord(0, "苹果", "apple", 100, 100);
  TZbLabel* pear = PlaceWord(1, "梨", "pear", 500, 100);
  Type("apple");
  ExpectCelebration();
  Enter();
  ASSERT_EQ(form_->TopSlot, 0);
  ASSERT_EQ(form_->WordSlots[0], nullptr);

  Type("pear");
  Enter();  // not compared
  form_->Timer3Timer(form_->Timer3);  // not swapped
  EXPECT_EQ(form_->WordSlots[1], pear);
  EXPECT_EQ(pear->Caption(), G("梨"));
  EXPECT_EQ(form_->Score, 1);

  // Tick: TopSlot 0 moves nothing; the spawn refills slot 0 first.
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 20);
  Tick();
  EXPECT_EQ(form_->TopSlot, 1);
  ASSERT_NE(form_->WordSlots[0], nullptr);
  EXPECT_EQ(form_->WordSlots[0]->Left(), 20);
  EXPECT_EQ(form_->WordSlots[1], pear);
  EXPECT_EQ(pear->Top(), 100);

  // Visited again: it falls, and it matches.
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(5, 2);
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 300);
  Tick();
  EXPECT_EQ(pear->Top(), 103);
  Type("pear");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(form_->WordSlots[1], nullptr);
  EXPECT_EQ(form_->Score, 2);
}

TEST_F(FallTickTest, SpawnFillsEveryEmptySlotUpToTheNewTopSlot) {
  form_->TopSlot = 2;
  TZbLabel* kept = PlaceWord(1, "a", "a", 700, 300);
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 1);
  services_.ExpectDraw(780, 2);
  services_.ExpectDraw(780, 3);
  Tick();
  EXPECT_EQ(form_->TopSlot, 3);
  EXPECT_EQ(form_->WordSlots[1], kept);
  EXPECT_EQ(form_->WordSlots[0]->Left(), 1);
  EXPECT_EQ(form_->WordSlots[2]->Left(), 2);
  EXPECT_EQ(form_->WordSlots[3]->Left(), 3);
  EXPECT_EQ(form_->WordSlots[0]->Hint(), "apple");
  EXPECT_EQ(form_->WordSlots[2]->Hint(), "pear");
  EXPECT_EQ(form_->WordSlots[3]->Hint(), "tea");
}

TEST_F(FallTickTest, GateBlockedByAWordNearTheTopSpawnsNothing) {
  form_->TopSlot = 1;
  PlaceWord(1, "a", "a", 500, 0);
  services_.ExpectDraw(5, 0);    // now at 1: still below 20
  services_.ExpectDraw(820, 450);
  Tick();
  EXPECT_EQ(form_->TopSlot, 1);
  EXPECT_EQ(form_->WordSlots[0], nullptr);
}

TEST_F(FallTickTest, StartWithWordsLeftOnTheFieldNeverSpawnsIntoAnOccupiedSlot) {
  TZbLabel* left = PlaceWord(0, "a", "a", 500, 200);
  ClickStart();
  services_.ExpectDraw(820, 0);
  Tick();  // TopSlot 0, slot 0 occupied: nothing new
  EXPECT_EQ(form_->TopSlot, 0);
  EXPECT_EQ(form_->WordSlots[0], left);
  EXPECT_EQ(left->Top(), 200);
  EXPECT_EQ(WordCount(), 1);
}

struct SpawnTextCase {
  const char* line;
  bool wholeLine;
  const char* caption;
  const char* hint;
};

class SpawnTextTest : public GameTest, public ::testing::WithParamInterface<SpawnTextCase> {};

TEST_P(SpawnTextTest, DividesTheLineAtItsFirstComma) {
  const SpawnTextCase& c = GetParam();
  SetPracticeLines({c.line});
  if (c.wholeLine) form_->N2->Click();
  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  ASSERT_NE(form_->WordSlots[0], nullptr);
  EXPECT_EQ(form_->WordSlots[0]->Caption(), G(c.caption));
  EXPECT_EQ(form_->WordSlots[0]->Hint(), G(c.hint));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SpawnTextTest,
    ::testing::Values(SpawnTextCase{"apple,苹果", false, "苹果", "apple"},
                      SpawnTextCase{" ice cream , 冰淇淋 ", false, "冰淇淋", "ice cream"},
                      SpawnTextCase{"tea,茶,绿茶", false, "茶,绿茶", "tea"},
                      SpawnTextCase{"bread", false, "", "bread"},
                      SpawnTextCase{"milk，牛奶", false, "", "milk，牛奶"},
                      SpawnTextCase{",", false, "", ""},
                      SpawnTextCase{"apple , 苹果", true, "apple , 苹果", "apple"},
                      SpawnTextCase{"bread", true, "bread", "bread"}));

TEST_F(FallTickTest, OneLineListSpawnsTheSameLineEveryTime) {
  SetPracticeLines({"apple,苹果"});
  form_->TopSlot = -1;
  for (int tick = 0; tick < 3; ++tick) {
    if (tick == 2) {
      services_.ExpectDraw(5, 0);
      services_.ExpectDraw(5, 0);
    }
    services_.ExpectDraw(820, 0);
    services_.ExpectDraw(780, 300 * tick);
    Tick();
  }
  ASSERT_EQ(form_->TopSlot, 2);
  for (int slot = 0; slot <= 2; ++slot) EXPECT_EQ(form_->WordSlots[slot]->Hint(), "apple");
  EXPECT_EQ(form_->NextLine, 0);
}

TEST_F(FallTickTest, PendingRemovalHappensAtTheNextSpawnAfterTheLineIsRead) {
  form_->PendingDelete = 0;
  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  EXPECT_EQ(form_->WordSlots[0]->Hint(), "apple");  // read before the removal
  EXPECT_EQ(PracticeLines(), (std::vector<std::string>{"pear," + G("梨"), "tea," + G("茶")}));
  EXPECT_EQ(form_->PendingDelete, -1);
  EXPECT_EQ(form_->NextLine, 1);
}

TEST_F(FallTickTest, PendingMessagesRunBeforeTheWordsMove) {
  form_->TopSlot = 4;
  TZbLabel* word = PlaceWord(1, "a", "a", 100, 100);
  int randomizedBeforePump = -1;
  QMetaObject::invokeMethod(
      form_.get(),
      [this, &randomizedBeforePump] {
        randomizedBeforePump = services_.randomizeCount;
        form_->TopSlot = 0;  // a nested handler lowers the bound
      },
      Qt::QueuedConnection);
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  EXPECT_EQ(randomizedBeforePump, 1);
  EXPECT_EQ(word->Top(), 100);  // TopSlot was 0 when the move step read it
}

// Issue: an empty list spawns nothing, leaves no half-made label and says
// so once per Start; words left on the field still take their slots back.
TEST_F(FallTickTest, EmptyListIsReportedOncePerStartAndPlayGoesOn) {
  SetPracticeLines({});
  TZbLabel* first = PlaceWord(0, "a", "a", 100, 100);
  TZbLabel* second = PlaceWord(1, "b", "b", 500, 100);
  auto fallingTick = [this] {
    services_.ExpectDraw(5, 3);
    services_.ExpectDraw(5, 0);
    services_.ExpectDraw(820, 0);
    Tick();
  };
  ClickStart();
  // Ticks 1 and 2 admit spawns that need no line: slots 0 and 1 are taken.
  for (int tick = 0; tick < 2; ++tick) {
    services_.ExpectDraw(820, 0);
    Tick();
    EXPECT_EQ(form_->TopSlot, tick);
  }
  EXPECT_TRUE(services_.notices.empty());

  // From tick 3 the words fall; slot 2 would need a line: told once.
  fallingTick();
  fallingTick();
  EXPECT_EQ(first->Top(), 108);
  EXPECT_EQ(second->Top(), 102);
  EXPECT_EQ(form_->TopSlot, 1);
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_NE(services_.notices.at(0).find(G("练习内容是空的")), std::string::npos);
  EXPECT_EQ(WordCount(), 2);
  EXPECT_EQ(form_->ZbPanel1->findChildren<TZbLabel*>().size(), 2u);
  EXPECT_TRUE(errors_.empty());

  ClickStart();  // End
  ClickStart();  // Start again: told again once slot 2 is reached
  services_.ExpectDraw(820, 0);
  Tick();
  services_.ExpectDraw(820, 0);
  Tick();
  fallingTick();
  EXPECT_EQ(services_.notices.size(), 2u);

  // Loading a list lets spawning resume at once.
  SetPracticeLines({"pear,梨"});
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(5, 0);
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 5);
  Tick();
  EXPECT_EQ(form_->TopSlot, 2);
  ASSERT_NE(form_->WordSlots[2], nullptr);
  EXPECT_EQ(form_->WordSlots[2]->Hint(), "pear");
  EXPECT_EQ(services_.notices.size(), 2u);
}

TEST_F(FallTickTest, BlankLinesArePassedOverAndAllBlankCountsAsEmpty) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> hints;  // of the words spawned by two ticks
    int nextLine;
    std::size_t notices;
  };
  const std::vector<Case> cases = {
      {"blanks between", {"apple,苹果", " \t ", "", "pear,梨"}, {"apple", "pear"}, 0, 0},
      {"blank first and last", {"", "apple,苹果", "  "}, {"apple", "apple"}, 2, 0},
      {"no comma still spawns", {"  ", "bread"}, {"bread", "bread"}, 0, 0},
      {"only blanks", {"", " ", "\t"}, {}, 0, 1},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    DestroyAllWords();
    services_.notices.clear();
    SetPracticeLines(testCase.lines);
    form_->NextLine = 0;
    form_->TopSlot = -1;
    form_->PendingDelete = -1;
    ClickStart();
    for (std::size_t tick = 0; tick < 2; ++tick) {
      services_.ExpectDraw(820, 0);
      if (tick < testCase.hints.size()) services_.ExpectDraw(780, 0);
      Tick();
    }
    std::vector<std::string> hints;
    for (const TZbLabel* word : form_->WordSlots) {
      if (word != nullptr) hints.push_back(word->Hint());
    }
    EXPECT_EQ(hints, testCase.hints);
    EXPECT_EQ(form_->NextLine, testCase.nextLine);
    EXPECT_EQ(services_.notices.size(), testCase.notices);
    ClickStart();  // End
  }
  EXPECT_TRUE(errors_.empty());
}

// A word left on the field over an empty slot 0 is reached step by step,
// falls, can be matched, and TopSlot comes back down with it.
TEST_F(FallTickTest, WordLeftOverAnEmptyListKeepsFallingAndStaysMatchable) {
  SetPracticeLines({});
  TZbLabel* word = PlaceWord(2, "b", "b", 500, 100);
  ClickStart();
  for (int tick = 0; tick < 3; ++tick) {
    services_.ExpectDraw(820, 0);
    Tick();
  }
  EXPECT_EQ(form_->TopSlot, 2);
  services_.ExpectDraw(5, 3);
  services_.ExpectDraw(820, 0);
  Tick();
  EXPECT_EQ(word->Top(), 104);
  EXPECT_EQ(form_->TopSlot, 2);
  EXPECT_EQ(services_.notices.size(), 1u);

  Type("b");
  ExpectCelebration();
  Enter();
  EXPECT_EQ(WordCount(), 0);
  EXPECT_EQ(form_->TopSlot, 1);
  services_.ExpectDraw(820, 0);
  Tick();
  EXPECT_EQ(form_->TopSlot, 1);

  SetPracticeLines({"pear,梨"});
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 10);
  services_.ExpectDraw(780, 20);
  services_.ExpectDraw(780, 30);
  Tick();
  EXPECT_EQ(form_->TopSlot, 2);
  EXPECT_EQ(WordCount(), 3);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FallTickTest, EmptyListWithAnEmptySlotAdmitsNothing) {
  SetPracticeLines({});
  ClickStart();
  for (int tick = 0; tick < 3; ++tick) {
    services_.ExpectDraw(820, 0);
    Tick();
  }
  EXPECT_EQ(form_->TopSlot, -1);
  EXPECT_EQ(WordCount(), 0);
  EXPECT_TRUE(form_->ZbPanel1->findChildren<TZbLabel*>().empty());
  EXPECT_EQ(services_.notices.size(), 1u);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FallTickTest, ListEmptiedByThePendingRemovalStopsFillingWithoutAHalfMadeLabel) {
  SetPracticeLines({"apple,苹果"});
  form_->PendingDelete = 0;
  form_->TopSlot = 0;  // the spawn fills slots 0 and 1
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 7);
  Tick();
  EXPECT_EQ(form_->WordSlots[0]->Hint(), "apple");
  EXPECT_EQ(form_->WordSlots[1], nullptr);
  EXPECT_EQ(form_->ZbPanel1->findChildren<TZbLabel*>().size(), 1u);
  EXPECT_EQ(services_.notices.size(), 1u);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FallTickTest, NextLineBeyondTheEndStartsAgainAtLine0) {
  form_->NextLine = 7;
  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  EXPECT_EQ(form_->WordSlots[0]->Hint(), "apple");
  EXPECT_EQ(form_->NextLine, 1);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FallTickTest, RemovalMarkBeyondTheEndOfANewListIsDropped) {
  form_->PendingDelete = 5;
  form_->TopSlot = -1;
  services_.ExpectDraw(820, 0);
  services_.ExpectDraw(780, 0);
  Tick();
  EXPECT_EQ(form_->PendingDelete, -1);
  EXPECT_EQ(form_->PracticeList->LineCount(), 3);
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace zembrot::testing
