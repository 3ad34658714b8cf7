#include "base/code_page.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace zembrot {

bool IsLeadByte(unsigned char byte) {
#ifdef _WIN32
  return IsDBCSLeadByte(byte) != 0;
#else
  return byte >= 0x81 && byte <= 0xFE;  // GBK
#endif
}

std::size_t CodePageCharLength(std::string_view text, std::size_t position) {
  if (position + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[position]))) return 2;
  return 1;
}

#ifdef _WIN32

std::u16string CodePageToUtf16(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::u16string result(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(result.data()), length);
  return result;
}

std::string Utf16ToCodePage(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, "?", nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, size, result.data(), length, "?", nullptr);
  return result;
}

#else

namespace {

constexpr const char* kCodePage = "GBK";
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One converter per direction and thread, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input. `onInvalid` is called with the input position of
  // a sequence that cannot be converted; it appends a replacement to the
  // output and returns how many input bytes to skip.
  template <typename OnInvalid>
  std::string Convert(const char* input, std::size_t inputSize, OnInvalid onInvalid) {
    std::string output;
    output.resize(inputSize * 2 + 16);
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
    char* in = const_cast<char*>(input);
    std::size_t inLeft = inputSize;
    std::size_t used = 0;
    while (inLeft > 0) {
      char* out = output.data() + used;
      std::size_t outLeft = output.size() - used;
      const std::size_t status = iconv(handle_, &in, &inLeft, &out, &outLeft);
      used = output.size() - outLeft;
      if (status != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        output.resize(output.size() * 2);
        continue;
      }
      // EILSEQ or EINVAL (a truncated sequence at the end): replace and go on.
      output.resize(used);
      const std::size_t skip = std::min(inLeft, onInvalid(in, inLeft, output));
      in += skip;
      inLeft -= skip;
      used = output.size();
      output.resize(used + inLeft * 2 + 16);
    }
    output.resize(used);
    return output;
  }

 private:
  iconv_t handle_;
};

Converter& Converter936ToUtf16() {
  thread_local Converter converter(kUtf16, kCodePage);
  return converter;
}
Converter& ConverterUtf16To936() {
  thread_local Converter converter(kCodePage, kUtf16);
  return converter;
}

void AppendUnit(std::string& output, char16_t unit) {
  const char* bytes = reinterpret_cast<const char*>(&unit);
  output.append(bytes, sizeof unit);
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string CodePageToUtf16(std::string_view bytes) {
  if (bytes.empty()) return {};
  const std::string raw = Converter936ToUtf16().Convert(
      bytes.data(), bytes.size(), [](const char*, std::size_t, std::string& output) {
        AppendUnit(output, u'\uFFFD');
        return std::size_t{1};
      });
  std::u16string result(raw.size() / sizeof(char16_t), u'\0');
  std::copy(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(result.size() * sizeof(char16_t)),
            reinterpret_cast<char*>(result.data()));
  return result;
}

std::string Utf16ToCodePage(std::u16string_view text) {
  if (text.empty()) return {};
  return ConverterUtf16To936().Convert(
      reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t),
      [](const char* at, std::size_t left, std::string& output) {
        output.push_back('?');
        char16_t unit;
        std::copy(at, at + sizeof unit, reinterpret_cast<char*>(&unit));
        // A character outside the basic plane is one "?" for both of its
        // units; a lone high surrogate is one "?" and the unit after it is
        // converted on its own.
        bool pair = false;
        if (IsHighSurrogate(unit) && left >= 2 * sizeof(char16_t)) {
          char16_t next;
          std::copy(at + sizeof unit, at + 2 * sizeof unit, reinterpret_cast<char*>(&next));
          pair = IsLowSurrogate(next);
        }
        return pair ? 2 * sizeof(char16_t) : sizeof(char16_t);
      });
}

#endif

namespace {

void AppendUtf8(std::string& output, char32_t code) {
  if (code < 0x80) {
    output.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    output.push_back(static_cast<char>(0xC0 | (code >> 6)));
    output.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    output.push_back(static_cast<char>(0xE0 | (code >> 12)));
    output.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    output.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    output.push_back(static_cast<char>(0xF0 | (code >> 18)));
    output.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    output.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    output.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Decodes one UTF-8 character at `position`; returns its length, or 0 when
// the bytes there are not a well-formed character.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t position, char32_t& code) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char first = at(position);
  if (first < 0x80) {
    code = first;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2, minimum = 0x80, code = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, minimum = 0x800, code = first & 0x0F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, minimum = 0x10000, code = first & 0x07;
  } else {
    return 0;
  }
  if (position + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = at(position + i);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t position = 0;
  while (position < bytes.size()) {
    // Plain ASCII runs are the common case: skip them eight bytes at a time.
    while (position + 8 <= bytes.size()) {
      std::uint64_t block;
      std::copy(bytes.data() + position, bytes.data() + position + 8, reinterpret_cast<char*>(&block));
      if (block & 0x8080808080808080ULL) break;
      position += 8;
    }
    if (position >= bytes.size()) break;
    char32_t code;
    const std::size_t length = DecodeUtf8(bytes, position, code);
    if (length == 0) return false;
    position += length;
  }
  return true;
}

std::string CodePageToUtf8(std::string_view bytes) {
  const std::u16string wide = CodePageToUtf16(bytes);
  std::string result;
  result.reserve(wide.size() * 3);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t code = wide[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(result, code);
  }
  return result;
}

std::string Utf8ToCodePage(std::string_view utf8) {
  std::u16string wide;
  wide.reserve(utf8.size());
  std::size_t position = 0;
  while (position < utf8.size()) {
    char32_t code;
    std::size_t length = DecodeUtf8(utf8, position, code);
    if (length == 0) {
      code = U'\uFFFD';
      length = 1;
    }
    if (code >= 0x10000) {
      wide.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      wide.push_back(static_cast<char16_t>(code));
    }
    position += length;
  }
  return Utf16ToCodePage(wide);
}

std::filesystem::path CodePageToFileName(std::string_view path) {
#ifdef _WIN32
  const std::u16string wide = CodePageToUtf16(path);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
#else
  const std::string utf8 = CodePageToUtf8(path);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#endif
}

std::string FileNameToCodePage(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring wide = path.wstring();
  return Utf16ToCodePage(std::u16string(wide.begin(), wide.end()));
#else
  // File names on Linux are UTF-8 by convention; bytes that are not fall
  // back to their code-page reading.
  const std::string& native = path.native();
  return IsValidUtf8(native) ? Utf8ToCodePage(native) : native;
#endif
}

std::string PathSeparator() {
#ifdef _WIN32
  return "\\";
#else
  return "/";
#endif
}

}  // namespace zembrot
