// The play field: crowding, falling, the spawn gate and the slot counter.

#include <deque>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/core/word_field.h"
#include "scripted_dice.h"

namespace zembrot::game {
namespace {

using testing::ScriptedDice;

struct Placed {
  int slot;
  WordBox box;
};

PlainWordField FieldOf(const std::vector<Placed>& words) {
  PlainWordField field;
  for (const Placed& word : words) field.Put(word.slot, word.box);
  return field;
}

TEST(FieldRules, CrowdingProbe) {
  const struct {
    const char* name;
    std::vector<Placed> words;
    int topSlot, y, x, exclude, expected;
  } cases[] = {
      {"slot 0 never crowds", {{0, {100, 300, 40}}}, 4, 100, 300, -1, -1},
      {"a word above the probe crowds", {{1, {50, 300, 40}}}, 1, 100, 300, -1, 50},
      {"19 px below crowds", {{1, {119, 300, 40}}}, 1, 100, 300, -1, 119},
      {"20 px below does not", {{1, {120, 300, 40}}}, 1, 100, 300, -1, -1},
      {"left edge 149 px away", {{1, {0, 449, 10}}}, 1, 0, 300, -1, 0},
      {"left edge 150 px away", {{1, {0, 450, 10}}}, 1, 0, 300, -1, -1},
      {"right edge 149 px away", {{1, {0, 100, 51}}}, 1, 0, 300, -1, 0},
      {"right edge 150 px away", {{1, {0, 100, 50}}}, 1, 0, 300, -1, -1},
      {"excluded slot", {{2, {10, 300, 40}}}, 2, 100, 300, 2, -1},
      {"beyond TopSlot", {{3, {10, 300, 40}}}, 2, 100, 300, -1, -1},
      {"TopSlot below 1 looks at nothing", {{1, {10, 300, 40}}}, 0, 100, 300, -1, -1},
      {"the highest slot wins", {{1, {10, 300, 40}}, {3, {70, 300, 40}}, {2, {30, 300, 40}}}, 3, 100, 300, -1, 70},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindBlocker(FieldOf(c.words), c.topSlot, c.y, c.x, c.exclude), c.expected) << c.name;
  }
}

TEST(FieldRules, FallStep) {
  const struct {
    const char* name;
    std::vector<Placed> words;
    int topSlot, slot;
    std::deque<std::pair<int, int>> draws;
    int expectedTop;
  } cases[] = {
      {"free fall 5 px", {{1, {40, 300, 40}}}, 1, 1, {{5, 4}}, 45},
      // Probe at 40 + 43 = 83: the word at 70 crowds it and lies below this
      // one, so this one waits.
      {"waits above a crowding word", {{0, {40, 300, 40}}, {1, {70, 310, 40}}}, 1, 0, {{5, 2}}, 40},
      // The crowding word at 30 is above this one at 40: a jump of 0..29.
      {"jumps when crowded from above", {{1, {30, 310, 40}}, {2, {40, 300, 40}}}, 2, 2, {{5, 0}, {30, 17}}, 57},
      {"level counts as above", {{1, {40, 310, 40}}, {2, {40, 300, 40}}}, 2, 2, {{5, 0}, {30, 0}}, 40},
      // Probe at 200 + 201 = 401: a word at 300 is far above the probe
      // ordinate yet below this word, so it blocks the fall.
      {"probe ordinate is top plus new top", {{1, {300, 300, 40}}, {2, {200, 300, 40}}}, 2, 2, {{5, 0}}, 200},
  };
  for (const auto& c : cases) {
    ScriptedDice dice(c.draws);
    EXPECT_EQ(FallenTop(FieldOf(c.words), c.topSlot, c.slot, dice), c.expectedTop) << c.name;
  }
}

TEST(FieldRules, SpawnGate) {
  const struct {
    const char* name;
    std::vector<Placed> words;
    int topSlot;
    std::deque<std::pair<int, int>> draws;
    bool open;
  } cases[] = {
      {"empty field", {}, -1, {{820, 400}}, true},
      {"TopSlot 4 draws nothing", {}, 4, {}, false},
      {"a word at the top near the draw", {{1, {0, 600, 40}}}, 3, {{820, 600}}, false},
      {"a word at the top far from the draw", {{1, {0, 600, 40}}}, 3, {{820, 100}}, true},
      {"a word 20 px down", {{1, {20, 600, 40}}}, 3, {{820, 600}}, true},
  };
  for (const auto& c : cases) {
    ScriptedDice dice(c.draws);
    EXPECT_EQ(SpawnGateOpen(FieldOf(c.words), c.topSlot, dice), c.open) << c.name;
  }
}

TEST(FieldRules, SlotCounter) {
  const struct {
    const char* name;
    std::vector<int> occupied;
    int topSlot, loopBound, spawnReach, firstEmptyInReach;
    bool reachesWaitingWord;
    int topSlotAfterReach;
  } cases[] = {
      {"after Start", {}, -1, -1, 0, 0, false, -1},
      {"a word left above after a stop", {2}, -1, -1, 0, 0, true, 0},
      {"a gap in a low slot", {0, 2}, 1, 1, 2, 1, true, 2},
      {"full up to the reach", {0, 1, 2}, 1, 1, 2, -1, true, 2},
      {"near the end of the table", {}, 92, 92, 92, 0, false, 92},
  };
  for (const auto& c : cases) {
    PlainWordField field;
    for (const int slot : c.occupied) field.Put(slot, {0, 0, 0});
    SlotCounter counter = c.topSlot;
    EXPECT_EQ(counter.LoopBound(), c.loopBound) << c.name;
    EXPECT_EQ(counter.SpawnReach(), c.spawnReach) << c.name;
    EXPECT_EQ(FirstEmptySlot(field, counter.SpawnReach()), c.firstEmptyInReach) << c.name;
    EXPECT_EQ(ReachWaitingWord(field, counter), c.reachesWaitingWord) << c.name;
    EXPECT_EQ(counter, c.topSlotAfterReach) << c.name;
  }
  SlotCounter counter = 3;
  counter.Restart();
  counter.SpawnAdmitted();
  counter.SpawnAdmitted();
  counter.WordGone();
  EXPECT_EQ(counter, 0);
}

}  // namespace
}  // namespace zembrot::game
