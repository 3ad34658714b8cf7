#pragma once

// Cutting long texts before they are shown. A practice line can be
// megabytes long; laying out all of it on every repaint would freeze the
// window, and no screen shows more than a few thousand characters anyway.

#include <cstddef>
#include <string>
#include <string_view>

namespace zembrot {

// The first `longest` UTF-16 units of the code-page `bytes`, followed by an
// ellipsis ("…", U+2026) when the text goes on. Converts only the bytes it
// needs; a surrogate pair is never split.
std::u16string ShownText(std::string_view bytes, std::size_t longest);

// Where a byte search in a long text must not get slower than the text is
// long: the first position of `pattern` in `text`, or npos. An empty
// pattern is found at 0.
std::size_t FindBytes(std::string_view text, std::string_view pattern);

}  // namespace zembrot
