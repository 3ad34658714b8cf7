#include "game/core/match.h"

namespace zembrot::game {

// Without copying either: a practice line may be megabytes long, and most
// texts differ in length already.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool Matches(std::string_view typed, std::string_view hint, std::string_view caption) {
  return EqualIgnoringAsciiCase(typed, hint) || EqualIgnoringAsciiCase(typed, caption);
}

}  // namespace zembrot::game
