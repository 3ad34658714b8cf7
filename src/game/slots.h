#pragma once

// Helpers shared by the game's source files; not part of the interface.

#include <tuple>

#include "game/form1.h"

namespace zembrot::word_slots {

constexpr int kLastSlot = static_cast<int>(std::tuple_size_v<decltype(TForm1::WordSlots)>) - 1;

// TopSlot as a loop bound. Every loop over the falling words reads it once
// when it begins, so words handled inside the loop do not shorten it.
constexpr int LoopBound(int topSlot) { return topSlot < kLastSlot ? topSlot : kLastSlot; }

}  // namespace zembrot::word_slots
