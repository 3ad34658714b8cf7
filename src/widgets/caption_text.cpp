#include "widgets/caption_text.h"

#include <cstddef>

#include "base/code_page.h"
#include "base/shown_text.h"

namespace zembrot {

QString CodePageToQString(std::string_view bytes) {
  return QString::fromStdU16String(CodePageToUtf16(bytes));
}

QString ShownCaption(const std::string& caption) {
  return QString::fromStdU16String(ShownText(caption, static_cast<std::size_t>(kLongestShownCaption)));
}

QString CaptionToLayoutText(const std::string& caption) {
  QString text = ShownCaption(caption);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  return text;
}

int CaptionTextFlags(bool showAccelerator, bool wordWrap) {
  int flags = Qt::TextExpandTabs;
  if (showAccelerator) flags |= Qt::TextShowMnemonic;
  if (wordWrap) flags |= Qt::TextWordWrap;
  return flags;
}

}  // namespace zembrot
