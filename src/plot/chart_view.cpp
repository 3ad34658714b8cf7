#include "plot/chart_view.h"

#include <algorithm>
#include <utility>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "plot/painting.h"

namespace zembrot::plot {

namespace {

constexpr int kDotRadius = 3;
const QColor kGridColor(218, 218, 218);

double Fraction(double value, const Axis& axis) {
  return axis.high > axis.low ? (value - axis.low) / (axis.high - axis.low) : 0.0;
}

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {}

void ChartView::SetChart(Chart chart) {
  chart_ = std::move(chart);
  update();
}

bool ChartView::ShowsSentence() const {
  return std::all_of(chart_.series.begin(), chart_.series.end(),
                     [](const Series& series) { return series.points.empty(); });
}

QString TickLabel(const Axis& axis, double value) { return axis.label ? axis.label(value) : NumberLabel(value); }

void DrawBottomAxis(QPainter& painter, const QFontMetrics& metrics, const QRect& frame, const Axis& axis,
                    const std::function<double(double)>& x_of) {
  const int line = metrics.height();
  for (const double tick : axis.ticks) {
    const int x = qRound(x_of(tick));
    painter.drawLine(x, frame.bottom(), x, frame.bottom() + kTickLength);
    const QString label = TickLabel(axis, tick);
    const int label_width = metrics.horizontalAdvance(label);
    painter.drawText(QRect(x - label_width / 2, frame.bottom() + kTickLength + 1, label_width, line), Qt::AlignCenter,
                     label);
  }
  painter.drawText(QRect(frame.left(), frame.bottom() + kTickLength + line + kGap / 2, frame.width(), line),
                   Qt::AlignHCenter | Qt::AlignVCenter, axis.title);
}

int ChartView::WidestLabel(const Axis& axis) const {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (const double tick : axis.ticks) widest = std::max(widest, metrics.horizontalAdvance(TickLabel(axis, tick)));
  return widest;
}

QRect ChartView::PlotRect() const {
  const QFontMetrics metrics(font());
  const QFontMetrics title_metrics(TitleFont(font()));
  const int line = metrics.height();
  const int left = kGap + WidestLabel(chart_.y) + kTickLength + kGap;
  // The last x label may reach half its width beyond the frame.
  const int x_overhang = chart_.x.ticks.empty() ? 0 : metrics.horizontalAdvance(TickLabel(chart_.x, chart_.x.ticks.back())) / 2;
  const int right_margin =
      chart_.right_y ? kGap + WidestLabel(*chart_.right_y) + kTickLength + kGap : kGap + std::max(x_overhang, kGap);
  // Title, the y axes' titles, and half a label above the top tick.
  const int top = kGap + title_metrics.height() + kGap + line + line / 2;
  // Tick marks, labels and the x title.
  const int bottom_margin = kTickLength + line + kGap + line + kGap;
  return QRect(QPoint(left, top), QPoint(width() - 1 - right_margin, height() - 1 - bottom_margin));
}

QPointF ChartView::Position(double x, double y, Side side) const { return Map(PlotRect(), x, y, side); }

QPointF ChartView::Map(const QRect& frame, double x, double y, Side side) const {
  const Axis& y_axis = side == Side::Right && chart_.right_y ? *chart_.right_y : chart_.y;
  return QPointF(frame.left() + Fraction(x, chart_.x) * frame.width(),
                 frame.bottom() - Fraction(y, y_axis) * frame.height());
}

QSize ChartView::minimumSizeHint() const {
  const QFontMetrics metrics(font());
  return QSize(metrics.horizontalAdvance(QLatin1Char('0')) * 40, metrics.height() * 12);
}

void ChartView::DrawSeries(QPainter& painter, const QRect& frame, const Series& series) const {
  painter.save();
  switch (series.mark) {
    case Mark::Line: {
      if (series.points.size() < 2) break;
      painter.setRenderHint(QPainter::Antialiasing);
      QPen pen(series.color, 2, series.pen);
      pen.setJoinStyle(Qt::RoundJoin);
      painter.setPen(pen);
      QPainterPath path(Map(frame, series.points.front().x(), series.points.front().y(), series.side));
      for (std::size_t i = 1; i < series.points.size(); ++i) {
        path.lineTo(Map(frame, series.points[i].x(), series.points[i].y(), series.side));
      }
      painter.drawPath(path);
      break;
    }
    case Mark::Dots:
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(series.color);
      for (const QPointF& point : series.points) {
        painter.drawEllipse(Map(frame, point.x(), point.y(), series.side), kDotRadius, kDotRadius);
      }
      break;
    case Mark::Bars: {
      painter.setPen(Qt::NoPen);
      painter.setBrush(series.color);
      const Axis& y_axis = series.side == Side::Right && chart_.right_y ? *chart_.right_y : chart_.y;
      const double base = std::clamp(0.0, y_axis.low, y_axis.high);
      for (const QPointF& point : series.points) {
        const QPointF top_left = Map(frame, point.x() - chart_.bar_width / 2, point.y(), series.side);
        const QPointF bottom_right = Map(frame, point.x() + chart_.bar_width / 2, base, series.side);
        painter.drawRect(QRectF(top_left, bottom_right).normalized());
      }
      break;
    }
  }
  painter.restore();
}

void ChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  if (!DrawHeading(painter, rect(), chart_.title, ShowsSentence(), chart_.empty_text, colors)) return;
  const QRect area = rect().adjusted(kGap, kGap, -kGap, -kGap);
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  const QRect frame = PlotRect();
  const QColor text = colors.color(QPalette::WindowText);

  // Legend, right-aligned on the title's line.
  int legend_right = area.right();
  const int legend_middle = area.top() + QFontMetrics(TitleFont(font())).height() / 2;
  for (auto it = chart_.series.rbegin(); it != chart_.series.rend(); ++it) {
    if (it->name.isEmpty()) continue;
    legend_right = DrawLegendEntry(painter, legend_right, legend_middle, it->color, it->mark == Mark::Line, it->name, colors);
  }

  painter.fillRect(frame, colors.color(QPalette::Base));
  painter.setPen(kGridColor);
  for (const double tick : chart_.y.ticks) {
    const int y = qRound(Map(frame, chart_.x.low, tick, Side::Left).y());
    if (y > frame.top() && y < frame.bottom()) painter.drawLine(frame.left() + 1, y, frame.right() - 1, y);
  }

  painter.save();
  // Dots and lines at the edge of the range are drawn whole, over the frame.
  const int overhang = kDotRadius + 1;
  painter.setClipRect(frame.adjusted(-overhang, -overhang, overhang, overhang));
  for (const Series& series : chart_.series) DrawSeries(painter, frame, series);
  painter.restore();

  // Axes over the series, so that a bar never hides the zero line.
  painter.setPen(text);
  painter.drawLine(frame.bottomLeft(), frame.bottomRight());
  painter.drawLine(frame.topLeft(), frame.bottomLeft());
  if (chart_.right_y) painter.drawLine(frame.topRight(), frame.bottomRight());

  const auto draw_y_axis = [&](const Axis& axis, Side side) {
    const bool left = side == Side::Left;
    const int edge = left ? frame.left() : frame.right();
    for (const double tick : axis.ticks) {
      const int y = qRound(Map(frame, chart_.x.low, tick, side).y());
      painter.drawLine(edge, y, left ? edge - kTickLength : edge + kTickLength, y);
      const QString label = TickLabel(axis, tick);
      const int label_width = metrics.horizontalAdvance(label);
      const int x = left ? edge - kTickLength - kGap / 2 - label_width : edge + kTickLength + kGap / 2;
      painter.drawText(QRect(x, y - line / 2, label_width, line), Qt::AlignCenter, label);
    }
    // The title above its axis, upright.
    const int title_width = metrics.horizontalAdvance(axis.title);
    const int title_x = left ? std::max(area.left(), edge - kTickLength - WidestLabel(axis) / 2)
                             : std::min(area.right() - title_width, edge + kTickLength + WidestLabel(axis) / 2 - title_width);
    painter.drawText(QRect(title_x, frame.top() - line / 2 - line - kGap / 2, title_width, line),
                     Qt::AlignLeft | Qt::AlignVCenter, axis.title);
  };
  draw_y_axis(chart_.y, Side::Left);
  if (chart_.right_y) draw_y_axis(*chart_.right_y, Side::Right);

  DrawBottomAxis(painter, metrics, frame, chart_.x,
                 [&](double tick) { return Map(frame, tick, chart_.y.low, Side::Left).x(); });
}

}  // namespace zembrot::plot
