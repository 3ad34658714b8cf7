#include "content/string_collection.h"

#include <climits>
#include <string_view>

#include "base/code_page.h"

namespace zembrot {

namespace {

// 1-based position of the leftmost occurrence of `sub` in `text`, or 0;
// an empty `sub` is never found.
std::size_t Find(std::string_view sub, std::string_view text) {
  if (sub.empty()) return 0;
  const std::size_t found = text.find(sub);
  return found == std::string_view::npos ? 0 : found + 1;
}

// Upper case of a GBK double-byte letter, lead byte and trail byte, or 0 when
// the character is no lower-case letter. Each block keeps its capitals at a
// fixed distance below the small letters, under the same lead byte.
unsigned char UpperTrailByte(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xE1 && trail <= 0xFA) return static_cast<unsigned char>(trail - 0x20);  // Ａ..Ｚ
  if (lead == 0xA6 && trail >= 0xC1 && trail <= 0xD8) return static_cast<unsigned char>(trail - 0x20);  // Α..Ω
  if (lead == 0xA7 && trail >= 0xD1 && trail <= 0xF1) return static_cast<unsigned char>(trail - 0x30);  // А..Я
  return 0;
}

int ToPosition(std::size_t position) {
  // Lines longer than 2 GiB cannot be told apart from "not found"; the game's
  // lines are a few dozen bytes.
  return position > static_cast<std::size_t>(INT_MAX) ? 0 : static_cast<int>(position);
}

}  // namespace

std::string TStringCollection::UpperText(const std::string& s) const {
  std::string upper = s;
  std::size_t i = 0;
  while (i < upper.size()) {
    // Walked by characters: the trail byte of a double-byte character may
    // fall in a..z and is not a letter then.
    const std::size_t length = CodePageCharLength(upper, i);
    auto& first = reinterpret_cast<unsigned char&>(upper[i]);
    if (length == 1) {
      if (first >= 'a' && first <= 'z') first = static_cast<unsigned char>(first - 32);
    } else {
      auto& trail = reinterpret_cast<unsigned char&>(upper[i + 1]);
      if (const unsigned char upperTrail = UpperTrailByte(first, trail); upperTrail != 0) trail = upperTrail;
    }
    i += length;
  }
  return upper;
}

int TStringCollection::Search(const std::string& sub, const std::string& s, int from, bool ignoreCase) const {
  // The game never passes a negative start; it is read as 0, a search of the
  // whole text, rather than as a position before the text's start.
  if (from <= 1) {
    return ToPosition(ignoreCase ? Find(UpperText(sub), UpperText(s)) : Find(sub, s));
  }
  const auto start = static_cast<std::size_t>(from);
  if (start > s.size()) return 0;
  const std::string_view tail = std::string_view(s).substr(start - 1);
  // The tail is upper-cased on its own, as the bytes it holds: a start on a
  // trail byte reads that byte as a character of its own.
  const std::size_t found = ignoreCase ? Find(UpperText(sub), UpperText(std::string(tail))) : Find(sub, tail);
  return found == 0 ? 0 : ToPosition(found + start - 1);
}

std::string TStringCollection::TextAfter(const std::string& sep, const std::string& s, int from) const {
  const int position = Search(sep, s, from, false);
  if (position == 0) return {};
  return s.substr(static_cast<std::size_t>(position) - 1 + sep.size());
}

std::string TStringCollection::TextBefore(const std::string& sep, const std::string& s, int from) const {
  const int position = Search(sep, s, from, false);
  if (position == 0) return s;
  return s.substr(0, static_cast<std::size_t>(position) - 1);
}

}  // namespace zembrot
