#pragma once

// Recognises practice files saved by today's editors. Practice lists are
// code-page text, but editors save UTF-8 (with or without a byte-order mark)
// or UTF-16 with a mark; those are converted to the code page before the
// lines are split. Every other file is taken byte for byte.

#include <cstddef>
#include <string>
#include <string_view>

namespace zembrot {

enum class TextEncoding {
  CodePage,  // used byte for byte
  Utf8,
  Utf16LittleEndian,
  Utf16BigEndian,
};

struct DetectedEncoding {
  TextEncoding encoding = TextEncoding::CodePage;
  std::size_t markLength = 0;  // bytes of the byte-order mark to skip
};

// Looks at the whole content, zero bytes included: a UTF-8 or UTF-16
// byte-order mark decides; without one, bytes that are valid UTF-8 and hold
// at least one non-ASCII byte are UTF-8; anything else is code-page text.
DetectedEncoding DetectEncoding(std::string_view bytes);

// The content after its mark, converted to the code page; characters the code
// page lacks become "?", malformed sequences too. For TextEncoding::CodePage
// the bytes after the mark come back unchanged.
std::string ConvertToCodePage(std::string_view bytes, DetectedEncoding encoding);

}  // namespace zembrot
