#include "plot/painting.h"

#include <cmath>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace zembrot::plot {

namespace {

constexpr int kSwatchWidth = 16;

}  // namespace

QFont TitleFont(const QFont& font) {
  QFont title = font;
  title.setBold(true);
  return title;
}

bool DrawHeading(QPainter& painter, const QRect& view, const QString& title, bool sentence_instead,
                 const QString& sentence, const QPalette& palette) {
  const QRect area = view.adjusted(kGap, kGap, -kGap, -kGap);
  painter.save();
  painter.setPen(palette.color(QPalette::WindowText));
  int title_height = 0;
  if (!title.isEmpty()) {
    painter.setFont(TitleFont(painter.font()));
    title_height = painter.fontMetrics().height();
    painter.drawText(QRect(area.left(), area.top(), area.width(), title_height), Qt::AlignLeft | Qt::AlignVCenter,
                     title);
    title_height += kGap;
  }
  painter.restore();
  if (!sentence_instead) return true;
  painter.save();
  painter.setPen(palette.color(QPalette::WindowText));
  painter.drawText(area.adjusted(2 * kGap, title_height, -2 * kGap, 0), Qt::AlignCenter | Qt::TextWordWrap, sentence);
  painter.restore();
  return false;
}

QString NumberLabel(double value) {
  if (std::abs(value - std::round(value)) < 1e-9) return QString::number(static_cast<long long>(std::round(value)));
  QString text = QString::number(value, 'f', 2);
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

int DrawLegendEntry(QPainter& painter, int right, int middle_y, const QColor& color, bool line, const QString& name,
                    const QPalette& palette) {
  const QFontMetrics metrics = painter.fontMetrics();
  const int text_width = metrics.horizontalAdvance(name);
  const int text_left = right - text_width;
  painter.save();
  painter.setPen(palette.color(QPalette::WindowText));
  painter.drawText(QRect(text_left, middle_y - metrics.height() / 2, text_width, metrics.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
  const int swatch_left = text_left - kGap - kSwatchWidth;
  if (line) {
    painter.setPen(QPen(color, 2));
    painter.drawLine(swatch_left, middle_y, swatch_left + kSwatchWidth, middle_y);
  } else {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRect(swatch_left + 3, middle_y - 5, 10, 10);
  }
  painter.restore();
  return swatch_left - 3 * kGap;
}

}  // namespace zembrot::plot
