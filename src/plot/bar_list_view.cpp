#include "plot/bar_list_view.h"

#include <algorithm>
#include <utility>

#include <QFontMetrics>
#include <QPainter>

#include "plot/painting.h"

namespace zembrot::plot {

BarListView::BarListView(QWidget* parent) : QWidget(parent) {}

void BarListView::SetBars(BarList bars) {
  bars_ = std::move(bars);
  update();
}

int BarListView::LabelWidth() const {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (const Bar& bar : bars_.bars) widest = std::max(widest, metrics.horizontalAdvance(bar.label));
  // A long phrase gives up its end rather than the bars' room.
  return std::min(widest, width() * 2 / 5);
}

int BarListView::NoteWidth() const {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (const Bar& bar : bars_.bars) widest = std::max(widest, metrics.horizontalAdvance(bar.note));
  return widest;
}

int BarListView::RowHeight() const {
  const QRect frame = PlotRect();
  return bars_.bars.empty() ? frame.height() : frame.height() / static_cast<int>(bars_.bars.size());
}

QRect BarListView::PlotRect() const {
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  const int left = kGap + LabelWidth() + kGap;
  const int top = kGap + QFontMetrics(TitleFont(font())).height() + kGap;
  const int bottom_margin = kTickLength + line + kGap + line + kGap;
  const int right_margin = kGap + NoteWidth() + kGap;
  return QRect(QPoint(left, top), QPoint(width() - 1 - right_margin, height() - 1 - bottom_margin));
}

double BarListView::XOf(double value) const {
  const QRect frame = PlotRect();
  const Axis& axis = bars_.axis;
  const double fraction = axis.high > axis.low ? (value - axis.low) / (axis.high - axis.low) : 0.0;
  return frame.left() + fraction * frame.width();
}

QRect BarListView::BarRect(int row) const {
  const QRect frame = PlotRect();
  const int row_height = RowHeight();
  const int thickness = std::max(2, row_height * 3 / 5);
  const int top = frame.top() + row * row_height + (row_height - thickness) / 2;
  const int right = qRound(XOf(bars_.bars.at(static_cast<std::size_t>(row)).value));
  return QRect(QPoint(frame.left() + 1, top), QPoint(std::max(frame.left() + 1, right), top + thickness - 1));
}

QSize BarListView::minimumSizeHint() const {
  const QFontMetrics metrics(font());
  return QSize(metrics.horizontalAdvance(QLatin1Char('0')) * 40, metrics.height() * 12);
}

void BarListView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  if (!DrawHeading(painter, rect(), bars_.title, ShowsSentence(), bars_.empty_text, colors)) return;
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  const QRect frame = PlotRect();
  const QColor text = colors.color(QPalette::WindowText);
  const int row_height = RowHeight();

  painter.fillRect(frame, colors.color(QPalette::Base));
  painter.setPen(text);
  for (std::size_t row = 0; row < bars_.bars.size(); ++row) {
    const Bar& bar = bars_.bars[row];
    const int middle = frame.top() + static_cast<int>(row) * row_height + row_height / 2;
    const QString label = metrics.elidedText(bar.label, Qt::ElideRight, frame.left() - 2 * kGap);
    painter.drawText(QRect(kGap, middle - line / 2, frame.left() - 2 * kGap, line), Qt::AlignRight | Qt::AlignVCenter,
                     label);
    const QRect bar_rect = BarRect(static_cast<int>(row));
    painter.fillRect(bar_rect, bars_.color);
    painter.drawText(QRect(bar_rect.right() + kGap, middle - line / 2, NoteWidth() + kGap, line),
                     Qt::AlignLeft | Qt::AlignVCenter, bar.note);
  }

  painter.drawLine(frame.bottomLeft(), QPoint(frame.right(), frame.bottom()));
  painter.drawLine(frame.topLeft(), frame.bottomLeft());
  DrawBottomAxis(painter, metrics, frame, bars_.axis, [this](double tick) { return XOf(tick); });
}

}  // namespace zembrot::plot
