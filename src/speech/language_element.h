#pragma once

// The language element that opens the game's spoken text,
// ` <LANG   LANGID= "409 "> `: it names the language of the rest as a
// hexadecimal Windows language identifier. Engines that take the language
// from elsewhere use these helpers to read and strip it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zembrot {

constexpr std::uint32_t LANGID_US_ENGLISH = 0x409;

struct LanguageElement {
  // The identifier named by the element; empty when the element names none
  // that can be read (it is still stripped).
  std::optional<std::uint32_t> languageId;
  // Length of the element with the blanks around it; 0 when the text does not
  // start with a complete element.
  std::size_t length = 0;
};

// Reads a leading language element: blanks, "<LANG" (any case), blanks,
// "LANGID", blanks, "=", blanks, a quoted hexadecimal identifier (blanks
// inside the quotes allowed; a ";" ends the first of several), blanks, ">"
// and the blanks after it. Anything else is not an element.
LanguageElement ParseLanguageElement(std::u16string_view text);

// The espeak-ng voice for a language identifier; an unknown one gets US
// English.
const char* EspeakVoiceForLanguage(std::optional<std::uint32_t> languageId);

// Which engine speaks a language: flite's English voice speaks English (and
// text that names no language, English being the default), espeak-ng every
// other language.
enum class SpeechEngineKind { Flite, Espeak };
SpeechEngineKind EngineForLanguage(std::optional<std::uint32_t> languageId);

}  // namespace zembrot
