#include "base/code_page.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <climits>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace zembrot {

// GBK's lead bytes, the same on every platform (code page 936 on Windows).
bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

std::size_t CodePageCharLength(std::string_view text, std::size_t position) {
  if (position + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[position]))) return 2;
  return 1;
}

#ifdef _WIN32

// The game's texts are GBK whatever code page the system runs in, so every
// conversion names code page 936 rather than the system's (CP_ACP).
//
// The system's tables differ from iconv's in one way only: Windows maps the
// user-defined areas of GBK (and the single byte 0xFF) to the Private Use
// Area, where iconv finds no character. Those count as characters the code
// page lacks here too, so a text converts the same on every platform.
// Each conversion first tries the whole text in one strict call; only text
// with something to replace goes through it character by character.

namespace {

constexpr UINT kCodePage = 936;

bool IsPrivateUse(char16_t unit) { return unit >= 0xE000 && unit <= 0xF8FF; }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The system's calls count in int; longer texts go the careful way.
bool FitsOneCall(std::size_t size) { return size <= static_cast<std::size_t>(INT_MAX / 4); }

// `bytes` in `codePage` as UTF-16, or nothing when some byte is no
// character there.
std::optional<std::u16string> StrictToUtf16(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return std::u16string();
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::u16string result(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, reinterpret_cast<wchar_t*>(result.data()),
                      length);
  return result;
}

// `text` in `codePage`, or nothing when some character is not in it.
std::optional<std::string> StrictFromUtf16(UINT codePage, std::u16string_view text) {
  if (text.empty()) return std::string();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  // UTF-8 has every character and reports a lone surrogate as an error; a
  // code page reports a missing character through the default-used flag
  // (and must not fall back on a look-alike).
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL defaultUsed = FALSE;
  BOOL* defaultUsedOut = utf8 ? nullptr : &defaultUsed;
  const int length = WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, nullptr, defaultUsedOut);
  if (length <= 0 || defaultUsed) return std::nullopt;
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide, size, result.data(), length, nullptr, defaultUsedOut);
  return result;
}

// Length of the UTF-8 character that `first` starts, going by its high bits
// alone; whether the bytes really are one character is the system's call.
std::size_t Utf8SequenceLength(unsigned char first) {
  if (first < 0x80) return 1;
  if ((first & 0xE0) == 0xC0) return 2;
  if ((first & 0xF0) == 0xE0) return 3;
  if ((first & 0xF8) == 0xF0) return 4;
  return 1;
}

// A text that does not convert in one call is converted in pieces of about
// this many bytes or units: a piece with nothing to replace in one call, any
// other character by character.
constexpr std::size_t kPiece = 4096;

// The bytes the character at `position` takes when it is a well-formed one.
std::size_t CharacterBytes(UINT codePage, std::string_view bytes, std::size_t position) {
  const std::size_t length = codePage == CP_UTF8 ? Utf8SequenceLength(static_cast<unsigned char>(bytes[position]))
                                                 : CodePageCharLength(bytes, position);
  return std::min(length, bytes.size() - position);
}

std::optional<std::u16string> Decode(UINT codePage, std::string_view bytes) {
  std::optional<std::u16string> text = StrictToUtf16(codePage, bytes);
  if (text && codePage != CP_UTF8 && std::any_of(text->begin(), text->end(), IsPrivateUse)) return std::nullopt;
  return text;
}

std::optional<std::string> Encode(UINT codePage, std::u16string_view text) {
  if (codePage != CP_UTF8 && std::any_of(text.begin(), text.end(), IsPrivateUse)) return std::nullopt;
  return StrictFromUtf16(codePage, text);
}

std::u16string ToUtf16(UINT codePage, std::string_view bytes) {
  if (FitsOneCall(bytes.size())) {
    if (std::optional<std::u16string> whole = Decode(codePage, bytes)) return std::move(*whole);
  }
  std::u16string result;
  result.reserve(bytes.size());
  std::size_t position = 0;
  while (position < bytes.size()) {
    // The piece ends where a character would end if all in it are whole.
    std::size_t end = position;
    while (end < bytes.size() && end - position < kPiece) end += CharacterBytes(codePage, bytes, end);
    if (std::optional<std::u16string> piece = Decode(codePage, bytes.substr(position, end - position))) {
      result += *piece;
      position = end;
      continue;
    }
    // One U+FFFD for each byte that starts no character the encoding has,
    // as iconv does; the last character may reach past the piece.
    while (position < end) {
      const auto first = static_cast<unsigned char>(bytes[position]);
      if (first < 0x80) {
        result.push_back(static_cast<char16_t>(first));
        ++position;
        continue;
      }
      const std::size_t length = CharacterBytes(codePage, bytes, position);
      if (std::optional<std::u16string> character = Decode(codePage, bytes.substr(position, length))) {
        result += *character;
        position += length;
      } else {
        result.push_back(u'\uFFFD');
        ++position;
      }
    }
  }
  return result;
}

std::string FromUtf16(UINT codePage, std::u16string_view text, std::string_view replacement) {
  if (FitsOneCall(text.size())) {
    if (std::optional<std::string> whole = Encode(codePage, text)) return std::move(*whole);
  }
  std::string result;
  result.reserve(text.size() * 2);
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = std::min(text.size(), position + kPiece);
    if (end < text.size() && IsHighSurrogate(text[end - 1])) ++end;  // a pair stays in one piece
    if (std::optional<std::string> piece = Encode(codePage, text.substr(position, end - position))) {
      result += *piece;
      position = end;
      continue;
    }
    // A surrogate pair is one character; a lone surrogate, or a character
    // the target lacks, becomes one `replacement`.
    while (position < end) {
      const char16_t unit = text[position];
      if (unit < 0x80) {
        result.push_back(static_cast<char>(unit));
        ++position;
        continue;
      }
      const bool pair = IsHighSurrogate(unit) && position + 1 < text.size() && IsLowSurrogate(text[position + 1]);
      const bool lone = !pair && (IsHighSurrogate(unit) || IsLowSurrogate(unit));
      const std::size_t length = pair ? 2 : 1;
      std::optional<std::string> character;
      if (!lone) character = Encode(codePage, text.substr(position, length));
      result += character ? std::string_view(*character) : replacement;
      position += length;
    }
  }
  return result;
}

constexpr std::string_view kQuestionMark = "?";
constexpr std::string_view kUtf8ReplacementCharacter = "\xEF\xBF\xBD";

}  // namespace

std::u16string CodePageToUtf16(std::string_view bytes) { return ToUtf16(kCodePage, bytes); }
std::string Utf16ToCodePage(std::u16string_view text) { return FromUtf16(kCodePage, text, kQuestionMark); }
std::string Utf16ToUtf8(std::u16string_view text) { return FromUtf16(CP_UTF8, text, kUtf8ReplacementCharacter); }
std::string CodePageToUtf8(std::string_view bytes) { return Utf16ToUtf8(CodePageToUtf16(bytes)); }
// A malformed byte decodes to U+FFFD, which GBK lacks: one "?" for it, as
// for a character GBK lacks.
std::string Utf8ToCodePage(std::string_view utf8) { return Utf16ToCodePage(ToUtf16(CP_UTF8, utf8)); }

bool IsValidUtf8(std::string_view bytes) {
  // A long text is checked in parts that each start at a character.
  constexpr std::size_t kPart = std::size_t{1} << 26;
  while (bytes.size() > kPart) {
    std::size_t cut = kPart;
    while (cut > kPart - 4 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
    if (!StrictToUtf16(CP_UTF8, bytes.substr(0, cut))) return false;
    bytes.remove_prefix(cut);
  }
  return StrictToUtf16(CP_UTF8, bytes).has_value();
}

#else

namespace {

constexpr const char* kCodePage = "GBK";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr const char* kUtf32 = std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE";

// One iconv conversion descriptor; iconv keeps state in it, so each thread
// opens its own (see ConverterFor).
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

  // Converts as much of [in, in + inLeft) as fits into [out, out + outLeft),
  // advancing all four. Returns 0 when all input is converted, else the errno:
  // E2BIG (output full), EILSEQ (cannot convert here) or EINVAL (a sequence
  // cut short at the end).
  int Step(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
    char* input = const_cast<char*>(in);
    const std::size_t status = iconv(handle_, &input, &inLeft, &out, &outLeft);
    in = input;
    return status == static_cast<std::size_t>(-1) ? errno : 0;
  }

  void Reset() { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

 private:
  iconv_t handle_;
};

// The converter between two of the encodings above, one per thread, opened
// on first use. Each lives on the heap, so a converter in use stays where it
// is while another is added to the list.
Converter& ConverterFor(const char* to, const char* from) {
  struct Entry {
    const char* to;
    const char* from;
    std::unique_ptr<Converter> converter;
  };
  thread_local std::vector<Entry> converters;
  for (Entry& entry : converters) {
    if (entry.to == to && entry.from == from) return *entry.converter;
  }
  converters.push_back({to, from, std::make_unique<Converter>(to, from)});
  return *converters.back().converter;
}

// glibc converts between two of these encodings through its own internal
// one, in two steps. When the second step stops early (the output is full,
// or a character cannot be converted), the first step converts its whole
// last block again to find where the input stands. So the input goes in
// pieces small enough that the output never fills and that a character the
// target lacks costs little; after such a character the pieces shrink, and
// they grow back while the conversion runs clean.
constexpr std::size_t kLargestPiece = 16 * 1024;
constexpr std::size_t kSmallestPiece = 16;
// Output bytes per input byte at the most (one UTF-8 byte to UTF-32).
constexpr std::size_t kMostGrowth = 4;
// Bytes of the longest character of any of the encodings.
constexpr std::size_t kLongestCharacter = 4;

// Converts the next piece of the input, at most `piece` bytes of it. Returns
// like Converter::Step, except that a character cut by the end of the piece
// (not of the input) is no error: the next piece starts with it.
int StepPiece(Converter& converter, const char*& in, std::size_t& inLeft, std::size_t piece, char*& out,
              std::size_t& outLeft) {
  const std::size_t size = std::min(inLeft, piece);
  const bool more = inLeft > size;
  std::size_t pieceLeft = size;
  const int error = converter.Step(in, pieceLeft, out, outLeft);
  inLeft -= size - pieceLeft;
  return error == EINVAL && more ? 0 : error;
}

// Length in bytes of the one well-formed character of `from` at the start of
// the input, or 0 when the bytes there are no character of `from`.
std::size_t CharacterLength(const char* from, const char* in, std::size_t inLeft) {
  // The decoder gets one more byte at a time: given more, it would report a
  // malformed sequence after the character as if the character were one.
  Converter& decoder = ConverterFor(kUtf32, from);
  for (std::size_t length = 1; length <= std::min(inLeft, kLongestCharacter); ++length) {
    decoder.Reset();
    char32_t code;
    char* out = reinterpret_cast<char*>(&code);
    std::size_t outLeft = sizeof code;
    const char* next = in;
    std::size_t left = length;
    const int error = decoder.Step(next, left, out, outLeft);
    if (error == 0) return length;
    if (error != EINVAL) return 0;  // malformed, not just cut short
  }
  return 0;
}

// Converts all of `input` from `from` to `to`. Where a character cannot be
// converted, or the input is malformed, `replacement` stands in for it: one
// for each character `to` lacks, one for each `unitSize` bytes of malformed
// input.
std::string Convert(const char* to, const char* from, std::string_view input, std::string_view replacement,
                    std::size_t unitSize) {
  Converter& converter = ConverterFor(to, from);
  converter.Reset();
  std::string output(input.size() * 2 + 16, '\0');
  const char* in = input.data();
  std::size_t inLeft = input.size();
  std::size_t used = 0;
  std::size_t piece = kLargestPiece;
  while (inLeft > 0) {
    // Room for the piece and a replacement after it; grown by doubling, so a
    // long text of nothing but junk stays one pass.
    const std::size_t room = std::min(inLeft, piece) * kMostGrowth + replacement.size();
    if (output.size() - used < room) output.resize(std::max(output.size() * 2, used + room));
    char* out = output.data() + used;
    std::size_t outLeft = output.size() - used;
    const int error = StepPiece(converter, in, inLeft, piece, out, outLeft);
    used = output.size() - outLeft;
    if (error == 0 || error == E2BIG) {
      piece = std::min(piece * 2, kLargestPiece);
      continue;
    }
    std::copy(replacement.begin(), replacement.end(), output.begin() + static_cast<std::ptrdiff_t>(used));
    used += replacement.size();
    const std::size_t length = CharacterLength(from, in, inLeft);
    const std::size_t skip = std::min(inLeft, length != 0 ? length : unitSize);
    in += skip;
    inLeft -= skip;
    piece = kSmallestPiece;
  }
  output.resize(used);
  return output;
}

std::string_view BytesOf(std::u16string_view text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

constexpr std::string_view kQuestionMark = "?";
constexpr std::string_view kUtf8ReplacementCharacter = "\xEF\xBF\xBD";

}  // namespace

std::u16string CodePageToUtf16(std::string_view bytes) {
  const char16_t replacement = u'\uFFFD';
  const std::string raw = Convert(kUtf16, kCodePage, bytes,
                                  {reinterpret_cast<const char*>(&replacement), sizeof replacement}, 1);
  std::u16string result(raw.size() / sizeof(char16_t), u'\0');
  std::memcpy(result.data(), raw.data(), result.size() * sizeof(char16_t));
  return result;
}

std::string Utf16ToCodePage(std::u16string_view text) {
  return Convert(kCodePage, kUtf16, BytesOf(text), kQuestionMark, sizeof(char16_t));
}

std::string Utf16ToUtf8(std::u16string_view text) {
  return Convert(kUtf8, kUtf16, BytesOf(text), kUtf8ReplacementCharacter, sizeof(char16_t));
}

std::string CodePageToUtf8(std::string_view bytes) {
  return Convert(kUtf8, kCodePage, bytes, kUtf8ReplacementCharacter, 1);
}

std::string Utf8ToCodePage(std::string_view utf8) { return Convert(kCodePage, kUtf8, utf8, kQuestionMark, 1); }

bool IsValidUtf8(std::string_view bytes) {
  // Decoded piece by piece into one buffer: a long text is checked without
  // holding a copy of it.
  Converter& decoder = ConverterFor(kUtf32, kUtf8);
  decoder.Reset();
  const char* in = bytes.data();
  std::size_t inLeft = bytes.size();
  std::vector<char> buffer(std::min(inLeft, kLargestPiece) * kMostGrowth);
  while (inLeft > 0) {
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    if (StepPiece(decoder, in, inLeft, kLargestPiece, out, outLeft) != 0) return false;
  }
  return true;
}

#endif

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
