#include "base/shown_text.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "base/code_page.h"

namespace zembrot {

namespace {

// No code-page character takes more bytes than this.
constexpr std::size_t kLongestCharacterBytes = 4;

// Up to this many candidate positions, FindBytes compares at each.
constexpr std::size_t kFewPlaces = 64;

}  // namespace

std::u16string ShownText(std::string_view bytes, std::size_t longest) {
  if (bytes.size() <= longest) return CodePageToUtf16(bytes);
  // Enough bytes for more characters than are shown, whatever their widths;
  // a character cut at the end of this piece lies beyond the cut below.
  const std::size_t pieceLength = std::min(bytes.size(), (longest + 2) * kLongestCharacterBytes);
  std::u16string text = CodePageToUtf16(bytes.substr(0, pieceLength));
  if (text.size() <= longest) return text;
  std::size_t cut = longest;
  if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  text.resize(cut);
  text += u'\u2026';
  return text;
}

std::size_t FindBytes(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return 0;
  if (pattern.size() > text.size()) return std::string_view::npos;
  // A pattern nearly as long as the text (a word's caption on a hint line
  // that is that caption and a few bytes more) has few places to be: a
  // comparison at each is cheaper than preparing a search.
  const std::size_t places = text.size() - pattern.size() + 1;
  if (places <= kFewPlaces) {
    for (std::size_t position = 0; position < places; ++position) {
      if (std::memcmp(text.data() + position, pattern.data(), pattern.size()) == 0) return position;
    }
    return std::string_view::npos;
  }
#if defined(__GLIBC__)
  // glibc's two-way search: linear time, no extra memory.
  const void* found = ::memmem(text.data(), text.size(), pattern.data(), pattern.size());
  return found == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
#else
  // Boyer-Moore with the good-suffix rule stays linear for a first match.
  const auto found = std::search(text.begin(), text.end(), std::boyer_moore_searcher(pattern.begin(), pattern.end()));
  return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
#endif
}

}  // namespace zembrot
