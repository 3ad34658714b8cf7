#pragma once

// Typing and matching: what a key does to the typed text, when the typed
// text matches a falling word, and the celebration of a match.

#include <cstdint>
#include <string>
#include <string_view>

namespace zembrot::game {

enum class KeyRole : std::uint8_t {
  Erase,   // Backspace (8): the last byte goes, so a Chinese character loses its second byte only
  Submit,  // Enter (13): the typed text is compared with the falling words
  Append,  // anything else, control characters included
};
constexpr KeyRole RoleOfKey(char key) {
  return key == 8 ? KeyRole::Erase : key == 13 ? KeyRole::Submit : KeyRole::Append;
}

// Equal once A..Z are lowered in both; every other byte (those of
// double-byte characters included) compares as it is.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// A word matches when the typed text equals its second text or its caption,
// both compared ignoring ASCII case.
bool Matches(std::string_view typed, std::string_view hint, std::string_view caption);

// The celebration: 72 points in a colour of three draws from 0..254, the
// word moved left to 200 when it is further right, both texts shown, then a
// blocking pause of one second.
inline constexpr int kCelebrationFontSize = 72;
inline constexpr int kColourRange = 255;
inline constexpr int kPauseAfterMatch = 1000;
constexpr int CelebrationLeft(int left) { return left > 200 ? 200 : left; }

// A language element naming US English (409) that goes before the spoken
// word; the speech engine reads it.
inline constexpr std::string_view kSpeechPrefix = " <LANG   LANGID= \"409 \"> ";
static_assert(kSpeechPrefix.size() == 25);
inline constexpr std::uint32_t kSpeakAsynchronously = 1;

}  // namespace zembrot::game
