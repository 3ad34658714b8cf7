#include "content/text_encoding.h"

#include <algorithm>

#include "base/code_page.h"

namespace zembrot {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// Position of the first byte of 128 or above, or the size when there is none.
std::size_t FirstNonAscii(std::string_view bytes) {
  const auto found =
      std::find_if(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
  return static_cast<std::size_t>(found - bytes.begin());
}

std::u16string Utf16Units(std::string_view bytes, bool littleEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second));
  }
  // A file cut in the middle of a character ends in a character that is not there.
  if (bytes.size() % 2 != 0) units.push_back(u'\uFFFD');
  return units;
}

}  // namespace

DetectedEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return {TextEncoding::Utf8, kUtf8Mark.size()};
  if (bytes.starts_with(kUtf16LittleEndianMark)) {
    return {TextEncoding::Utf16LittleEndian, kUtf16LittleEndianMark.size()};
  }
  if (bytes.starts_with(kUtf16BigEndianMark)) return {TextEncoding::Utf16BigEndian, kUtf16BigEndianMark.size()};
  // Pure ASCII reads the same either way; it stays byte for byte. Checking
  // from the first non-ASCII byte on keeps this one pass over the content.
  const std::size_t firstNonAscii = FirstNonAscii(bytes);
  if (firstNonAscii < bytes.size() && IsValidUtf8(bytes.substr(firstNonAscii))) {
    return {TextEncoding::Utf8, 0};
  }
  return {};
}

std::string ConvertToCodePage(std::string_view bytes, DetectedEncoding encoding) {
  const std::string_view content = bytes.substr(std::min(encoding.markLength, bytes.size()));
  switch (encoding.encoding) {
    case TextEncoding::Utf8:
      return Utf8ToCodePage(content);
    case TextEncoding::Utf16LittleEndian:
      return Utf16ToCodePage(Utf16Units(content, true));
    case TextEncoding::Utf16BigEndian:
      return Utf16ToCodePage(Utf16Units(content, false));
    case TextEncoding::CodePage:
      break;
  }
  return std::string(content);
}

}  // namespace zembrot
