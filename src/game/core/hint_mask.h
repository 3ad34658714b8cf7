#pragma once

// The hint line: a falling word's two texts with one byte masked as "?".

#include <string>

namespace zembrot::game {

class Dice;

// The hint line shows this word (so the word blinks and the hint stays)
// when its caption occurs in the line; an empty caption never does.
bool HintLineShows(const std::string& hintLine, const std::string& caption);

// The 1-based position of the masked byte in caption + hint: 1 + a draw from
// 0..(length of the hint - 1), or 1 without a draw when the hint is empty.
// It counts from the start of the whole text, caption first, so with a
// Chinese caption the mask usually lands inside the caption (on one byte of
// a double-byte character).
int MaskPosition(int hintLength, Dice& dice);

// `text` with the byte at `position` replaced by "?"; an empty text stays.
std::string Masked(std::string text, int position);

}  // namespace zembrot::game
