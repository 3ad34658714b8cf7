#pragma once

// The play field as the rules see it: each falling word's geometry, read
// off its label when a rule asks.

#include <cstddef>

#include "game/form1.h"
#include "widgets/zb_label.h"

namespace zembrot {

class TForm1::LabelField {
 public:
  explicit LabelField(const TForm1& form) : slots_(form.WordSlots) {}
  bool Occupied(int slot) const { return At(slot) != nullptr; }
  int Top(int slot) const { return At(slot)->Top(); }
  int Left(int slot) const { return At(slot)->Left(); }
  int Width(int slot) const { return At(slot)->Width(); }

 private:
  const TZbLabel* At(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
  const decltype(TForm1::WordSlots)& slots_;
};

}  // namespace zembrot
