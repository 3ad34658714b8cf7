#include "game/core/match.h"

namespace zembrot::game {

namespace {

// Equal after lowering A..Z in both, without copying either: a practice
// line may be megabytes long, and most texts differ in length already.
bool SameIgnoringAsciiCase(std::string_view typed, std::string_view text) {
  if (typed.size() != text.size()) return false;
  const auto lower = [](char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte; };
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (lower(typed[i]) != lower(text[i])) return false;
  }
  return true;
}

}  // namespace

bool Matches(std::string_view typed, std::string_view hint, std::string_view caption) {
  return SameIgnoringAsciiCase(typed, hint) || SameIgnoringAsciiCase(typed, caption);
}

}  // namespace zembrot::game
