#pragma once

// The play field's rules: the slot counter, the crowding probe, how far a
// word falls in a tick, when it has left the field, the spawn gate, and how
// the fall speed changes. Geometry is plain values in the play field's
// pixels (847 x 450, Top growing downwards), read off the falling words at
// the moment a rule needs it.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdlib>
#include <optional>

#include "game/core/dice.h"

namespace zembrot::game {

// The slot table holds 93 words; only slots 0..4 are ever filled.
inline constexpr int kSlotCount = 93;
inline constexpr int kLastSlot = kSlotCount - 1;

inline constexpr int kFieldBottom = 450;   // a word whose Top passes this is gone
inline constexpr int kSpawnLeftRange = 780;  // a new word's Left: a draw from 0..779
inline constexpr int kWordFontSize = 20;    // points, in the Song face
inline constexpr int kNewWordWidth = 70;    // before the label sizes itself to its text
inline constexpr int kNewWordHeight = 20;

// TopSlot: how far the loops over the falling words reach. It rises by one
// when a spawn is admitted and falls by one whenever a word goes (missed or
// matched), whichever slot that word held: a counter that doubles as a loop
// bound, not the index of the highest occupied slot. So after a word in a
// low slot goes, a word just above the new TopSlot is no longer visited
// (it neither moves, nor matches, nor alternates) until a later spawn raises
// TopSlot again, and that spawn fills the empty low slot first.
class SlotCounter {
 public:
  // Implicit, so that a test can set up a field as `TopSlot = 2`.
  constexpr SlotCounter(int value = 0) : value_(value) {}  // NOLINT(google-explicit-constructor)
  constexpr operator int() const { return value_; }         // NOLINT(google-explicit-constructor)

  // Every loop over the falling words runs over slots 0..LoopBound(),
  // reading it once when the loop begins: a word that goes inside the loop
  // lowers TopSlot, never the loop's reach. Below 0 nothing is visited.
  constexpr int LoopBound() const { return value_ < kLastSlot ? value_ : kLastSlot; }
  // The reach of a spawn: every empty slot up to the raised TopSlot.
  constexpr int SpawnReach() const { return value_ + 1 < kLastSlot ? value_ + 1 : kLastSlot; }

  // Start: the next spawn fills slot 0 again.
  void Restart() { value_ = -1; }
  void SpawnAdmitted() { ++value_; }
  void WordGone() { --value_; }

 private:
  int value_;
};

// The falling words' geometry, slot by slot, read when a rule asks for it:
// the window reads it off its labels, PlainWordField holds plain values.
// Positions are only asked of an occupied slot. The rules below are
// templates over the field so that the window's reads stay as cheap as
// reading the labels directly: the fall tick runs them for every word.
template <class Field>
concept WordField = requires(const Field& field, int slot) {
  { field.Occupied(slot) } -> std::convertible_to<bool>;
  { field.Top(slot) } -> std::convertible_to<int>;
  { field.Left(slot) } -> std::convertible_to<int>;
  { field.Width(slot) } -> std::convertible_to<int>;
};

struct WordBox {
  int top;
  int left;
  int width;
};

class PlainWordField {
 public:
  void Put(int slot, WordBox box) { slots_[Index(slot)] = box; }
  bool Occupied(int slot) const { return slots_[Index(slot)].has_value(); }
  int Top(int slot) const { return slots_[Index(slot)]->top; }
  int Left(int slot) const { return slots_[Index(slot)]->left; }
  int Width(int slot) const { return slots_[Index(slot)]->width; }

 private:
  static std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }
  std::array<std::optional<WordBox>, kSlotCount> slots_{};
};

inline constexpr int kStepRange = 5;   // a normal fall is 1 + a draw from 0..4
inline constexpr int kJumpRange = 30;  // a crowded word falls a draw from 0..29
inline constexpr int kCrowdingHeight = 20;
inline constexpr int kCrowdingDistance = 150;
inline constexpr int kHighestSpawnTopSlot = 4;  // spawns are tried only below this
inline constexpr int kSpawnGateRange = 820;

// The crowding probe: the Top of the crowding word with the highest slot
// index, or -1. Only slots 1..TopSlot are looked at (slot 0 never crowds
// anyone), `exclude` skipped. A word crowds when it is above Y or less than
// 20 px below it, and its left or right edge is less than 150 px from X.
template <WordField Field>
int FindBlocker(const Field& field, SlotCounter topSlot, int y, int x, int exclude) {
  int result = -1;
  for (int i = 1; i <= topSlot.LoopBound(); ++i) {
    if (!field.Occupied(i) || i == exclude) continue;
    const int top = field.Top(i);
    if (top - y >= kCrowdingHeight) continue;
    const int left = field.Left(i);
    if (std::abs(left - x) < kCrowdingDistance || std::abs(left + field.Width(i) - x) < kCrowdingDistance) {
      result = top;  // later slots overwrite earlier ones
    }
  }
  return result;
}

// The word's Top after this tick's fall: 1 to 5 px down (one draw); when
// another word crowds the probe, a word level with or below the crowding
// one falls a draw from 0..29 px instead, and a word above it waits.
template <WordField Field>
int FallenTop(const Field& field, SlotCounter topSlot, int slot, Dice& dice) {
  const int top = field.Top(slot);
  const int newTop = top + dice.Draw(kStepRange) + 1;
  // The probe ordinate is the current Top plus the new Top, as the game
  // always had it; it decides how words bunch up.
  const int blocker = FindBlocker(field, topSlot, top + newTop, field.Left(slot), slot);
  if (blocker == -1) return newTop;
  if (blocker <= top) return top + dice.Draw(kJumpRange);
  return top;
}

constexpr bool LeftTheField(int top) { return top > kFieldBottom; }

// Whether a tick may spawn: TopSlot below 4 (so it never passes 4), and no
// word crowding the top of the field at a random abscissa (a draw from
// 0..819, independent of where the new words go). Draws only when TopSlot
// allows a spawn at all.
template <WordField Field>
bool SpawnGateOpen(const Field& field, SlotCounter topSlot, Dice& dice) {
  return topSlot < kHighestSpawnTopSlot && FindBlocker(field, topSlot, 0, dice.Draw(kSpawnGateRange), -1) == -1;
}

// The first empty slot among 0..last, or -1.
template <WordField Field>
int FirstEmptySlot(const Field& field, int last) {
  for (int i = 0; i <= last; ++i) {
    if (!field.Occupied(i)) return i;
  }
  return -1;
}

// A spawn admitted when the list holds no word: the empty slots that need a
// line are refused, but a word still waiting above TopSlot (left from before
// a stop) must be reached, or it would hang there unmatchable. True when
// the counter rose to reach it.
template <WordField Field>
bool ReachWaitingWord(const Field& field, SlotCounter& topSlot) {
  for (int above = topSlot + 1 > 0 ? topSlot + 1 : 0; above <= kLastSlot; ++above) {
    if (field.Occupied(above)) {
      topSlot.SpawnAdmitted();
      return true;
    }
  }
  return false;
}

// The fall interval in milliseconds after a word left at the bottom: one
// shorter, never down to 0 (an interval of 0 would stop the fall for good).
constexpr unsigned IntervalAfterMiss(unsigned interval) { return interval > 1 ? interval - 1 : 1; }
// After a match: one shorter while it is above 80 ms, else unchanged.
constexpr unsigned IntervalAfterMatch(unsigned interval) { return interval > 80 ? interval - 1 : interval; }

}  // namespace zembrot::game
