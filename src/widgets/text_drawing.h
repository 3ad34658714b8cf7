#pragma once

// Helpers shared by the widgets for turning code-page captions into the
// strings and layout flags Qt measures and draws with.

#include <string>
#include <string_view>

#include <QString>

namespace zembrot {

// Code-page bytes to a QString; a stray byte becomes U+FFFD, never an error.
QString CodePageToQString(std::string_view bytes);

// The caption as the text layout sees it: CR LF (and a lone CR or LF) starts
// a new line.
QString CaptionToLayoutText(const std::string& caption);

// Qt text flags for a caption: tabs expanded, "&" marking the next character
// when `showAccelerator` is set (drawn underlined, "&&" drawing one "&"),
// and breaking at word boundaries when `wordWrap` is set.
int CaptionTextFlags(bool showAccelerator, bool wordWrap);

}  // namespace zembrot
