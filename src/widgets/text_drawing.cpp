#include "widgets/text_drawing.h"

#include "base/code_page.h"

namespace zembrot {

QString CodePageToQString(std::string_view bytes) {
  return QString::fromStdU16String(CodePageToUtf16(bytes));
}

QString CaptionToLayoutText(const std::string& caption) {
  QString text = CodePageToQString(caption);
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
