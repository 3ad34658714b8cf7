#include "game/core/hint_mask.h"

#include "base/shown_text.h"
#include "game/core/dice.h"

namespace zembrot::game {

bool HintLineShows(const std::string& hintLine, const std::string& caption) {
  // A search that stays linear: captions and the hint line can be megabytes
  // long, and this runs for every word on every tick.
  return !caption.empty() && FindBytes(hintLine, caption) != std::string::npos;
}

int MaskPosition(int hintLength, Dice& dice) { return 1 + (hintLength > 0 ? dice.Draw(hintLength) : 0); }

std::string Masked(std::string text, int position) {
  if (!text.empty()) text[static_cast<std::string::size_type>(position - 1)] = '?';
  return text;
}

}  // namespace zembrot::game
