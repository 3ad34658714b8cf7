#include "speech/language_element.h"

namespace zembrot {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  const char16_t upper = AsciiUpper(c);
  if (upper >= u'A' && upper <= u'F') return upper - u'A' + 10;
  return -1;
}

// A small cursor over the text; every step either consumes what it expects
// or reports that the text is not an element.
class Reader {
 public:
  explicit Reader(std::u16string_view text) : text_(text) {}

  void SkipBlanks() {
    while (position_ < text_.size() && IsBlank(text_[position_])) ++position_;
  }
  bool Word(std::u16string_view word) {
    if (text_.size() - position_ < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (AsciiUpper(text_[position_ + i]) != word[i]) return false;
    }
    position_ += word.size();
    return true;
  }
  bool AtEnd() const { return position_ >= text_.size(); }
  char16_t Peek() const { return text_[position_]; }
  void Advance() { ++position_; }
  std::size_t Position() const { return position_; }

 private:
  std::u16string_view text_;
  std::size_t position_ = 0;
};

// Reads the quoted value up to and including its closing quote.
bool ReadIdentifier(Reader& reader, std::optional<std::uint32_t>& languageId) {
  if (reader.AtEnd()) return false;
  const char16_t quote = reader.Peek();
  if (quote != u'"' && quote != u'\'') return false;
  reader.Advance();
  reader.SkipBlanks();
  std::uint32_t value = 0;
  int digits = 0;
  bool valid = true;
  while (!reader.AtEnd() && HexValue(reader.Peek()) >= 0) {
    value = value * 16 + static_cast<std::uint32_t>(HexValue(reader.Peek()));
    if (++digits > 4) valid = false;  // identifiers are 16 bits
    reader.Advance();
  }
  reader.SkipBlanks();
  bool rest = false;  // anything after the first identifier, up to the quote
  while (!reader.AtEnd() && reader.Peek() != quote && reader.Peek() != u'>') {
    if (reader.Peek() != u';' && !rest) valid = false;
    rest = true;
    reader.Advance();
  }
  if (reader.AtEnd() || reader.Peek() != quote) return false;
  reader.Advance();
  if (valid && digits > 0) languageId = value;
  return true;
}

}  // namespace

LanguageElement ParseLanguageElement(std::u16string_view text) {
  Reader reader(text);
  reader.SkipBlanks();
  if (!reader.Word(u"<LANG")) return {};
  // "<LANGUAGE" or "<LANGX" is another element, not this one.
  if (reader.AtEnd() || !IsBlank(reader.Peek())) return {};
  reader.SkipBlanks();
  if (!reader.Word(u"LANGID")) return {};
  reader.SkipBlanks();
  if (!reader.Word(u"=")) return {};
  reader.SkipBlanks();
  LanguageElement element;
  if (!ReadIdentifier(reader, element.languageId)) return {};
  reader.SkipBlanks();
  if (!reader.Word(u">")) return {};
  reader.SkipBlanks();
  element.length = reader.Position();
  return element;
}

const char* EspeakVoiceForLanguage(std::optional<std::uint32_t> languageId) {
  if (!languageId) return "en-us";
  switch (*languageId) {
    case 0x409: return "en-us";
    case 0x809: return "en";  // espeak-ng's "en" is British English
    case 0x804: return "cmn";  // Mandarin, simplified (PRC)
    case 0x404: return "cmn";  // Mandarin, traditional (Taiwan)
    case 0x1004: return "cmn";  // Singapore
    default: break;
  }
  // Other varieties of a language we have fall back to its main voice.
  switch (*languageId & 0x3FF) {
    case 0x09: return "en-us";
    case 0x04: return "cmn";
    default: return "en-us";
  }
}

SpeechEngineKind EngineForLanguage(std::optional<std::uint32_t> languageId) {
  // Every variety of English shares the primary language number 0x09.
  if (!languageId || (*languageId & 0x3FF) == 0x09) return SpeechEngineKind::Flite;
  return SpeechEngineKind::Espeak;
}

}  // namespace zembrot
