#pragma once

// Code-page captions as the text Qt measures and draws: the conversion to
// QString, the cut of a long caption, line ends and the layout flags. The
// widgets and the frame's own windows (title, menu, notice, dialog) share
// them.

#include <string>
#include <string_view>

#include <QString>

namespace zembrot {

// Code-page bytes to a QString; a stray byte becomes U+FFFD, never an error.
QString CodePageToQString(std::string_view bytes);

// The most characters (UTF-16 units) of a caption that are ever measured or
// drawn. Far wider than any screen in any font we use, and short enough to
// lay out within a frame: a practice line of megabytes must not freeze the
// window while it is painted.
inline constexpr qsizetype kLongestShownCaption = 1024;

// The caption as it is shown: the text of its first kLongestShownCaption
// characters, followed by an ellipsis ("…") when there is more. Only that
// much of the caption is ever converted. The caption itself (what the game
// compares) stays whole.
QString ShownCaption(const std::string& caption);

// The shown caption as the text layout sees it: CR LF (and a lone CR or LF)
// starts a new line.
QString CaptionToLayoutText(const std::string& caption);

// Qt text flags for a caption: tabs expanded, "&" marking the next character
// when `showAccelerator` is set (drawn underlined, "&&" drawing one "&"),
// and breaking at word boundaries when `wordWrap` is set.
int CaptionTextFlags(bool showAccelerator, bool wordWrap);

}  // namespace zembrot
