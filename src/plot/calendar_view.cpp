#include "plot/calendar_view.h"

#include <algorithm>
#include <utility>

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "plot/painting.h"

namespace zembrot::plot {

namespace {

constexpr int kCellGap = 2;
constexpr int kLargestPitch = 18;

}  // namespace

CalendarView::CalendarView(QWidget* parent) : QWidget(parent) {}

void CalendarView::SetCalendar(Calendar calendar) {
  calendar_ = std::move(calendar);
  update();
}

bool CalendarView::ShowsSentence() const {
  return std::all_of(calendar_.levels.begin(), calendar_.levels.end(), [](int level) { return level == 0; });
}

int CalendarView::Columns() const {
  const int days = static_cast<int>(calendar_.levels.size()) + calendar_.first_weekday;
  return std::max(1, (days + 6) / 7);
}

CalendarView::Geometry CalendarView::Layout() const {
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  int label_width = 0;
  for (const QString& label : calendar_.row_labels) label_width = std::max(label_width, metrics.horizontalAdvance(label));
  Geometry geometry;
  geometry.left = kGap + label_width + kGap;
  geometry.top = kGap + QFontMetrics(TitleFont(font())).height() + kGap + line + kGap / 2;
  const int bottom = height() - kGap - line - kGap;  // the legend's line below the squares
  const int by_width = (width() - kGap - geometry.left) / Columns();
  const int by_height = (bottom - geometry.top) / 7;
  geometry.pitch = std::clamp(std::min(by_width, by_height), kCellGap + 1, kLargestPitch);
  return geometry;
}

QRect CalendarView::CellRect(int day_index) const { return CellRect(Layout(), day_index); }

QRect CalendarView::CellRect(const Geometry& geometry, int day_index) const {
  const int slot = day_index + calendar_.first_weekday;
  const int side = geometry.pitch - kCellGap;
  return QRect(geometry.left + slot / 7 * geometry.pitch, geometry.top + slot % 7 * geometry.pitch, side, side);
}

QSize CalendarView::minimumSizeHint() const {
  const QFontMetrics metrics(font());
  return QSize(Columns() * 8 + metrics.horizontalAdvance(QStringLiteral("一一")), metrics.height() * 4 + 7 * 8);
}

void CalendarView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  if (!DrawHeading(painter, rect(), calendar_.title, ShowsSentence(), calendar_.empty_text, colors)) return;
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  const Geometry geometry = Layout();
  painter.setPen(colors.color(QPalette::WindowText));

  for (int row = 0; row < 7; ++row) {
    const QString& label = calendar_.row_labels[static_cast<std::size_t>(row)];
    if (label.isEmpty()) continue;
    const int middle = geometry.top + row * geometry.pitch + (geometry.pitch - kCellGap) / 2;
    painter.drawText(QRect(kGap, middle - line / 2, geometry.left - 2 * kGap, line), Qt::AlignRight | Qt::AlignVCenter,
                     label);
  }
  for (const auto& [column, label] : calendar_.column_labels) {
    painter.drawText(QRect(geometry.left + column * geometry.pitch, geometry.top - line - kGap / 2,
                           metrics.horizontalAdvance(label), line),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
  }

  painter.setPen(Qt::NoPen);
  for (std::size_t i = 0; i < calendar_.levels.size(); ++i) {
    const int level = std::clamp(calendar_.levels[i], 0, kShadeLevels - 1);
    painter.fillRect(CellRect(geometry, static_cast<int>(i)), calendar_.shades[static_cast<std::size_t>(level)]);
  }

  // The legend under the squares: the note on the left, the shades on the right.
  const int legend_top = geometry.top + 7 * geometry.pitch + kGap;
  const int side = geometry.pitch - kCellGap;
  const int squares_right = geometry.left + Columns() * geometry.pitch - kCellGap;
  painter.setPen(colors.color(QPalette::WindowText));
  const int high_width = metrics.horizontalAdvance(calendar_.legend_high);
  int x = squares_right - high_width;
  painter.drawText(QRect(x, legend_top, high_width, line), Qt::AlignLeft | Qt::AlignVCenter, calendar_.legend_high);
  x -= kGap + kShadeLevels * geometry.pitch;
  for (int level = 0; level < kShadeLevels; ++level) {
    painter.fillRect(QRect(x + level * geometry.pitch, legend_top + (line - side) / 2, side, side),
                     calendar_.shades[static_cast<std::size_t>(level)]);
  }
  const int low_width = metrics.horizontalAdvance(calendar_.legend_low);
  painter.drawText(QRect(x - kGap - low_width, legend_top, low_width, line), Qt::AlignLeft | Qt::AlignVCenter,
                   calendar_.legend_low);
  painter.drawText(QRect(geometry.left, legend_top, std::max(0, x - 2 * kGap - low_width - geometry.left), line),
                   Qt::AlignLeft | Qt::AlignVCenter, calendar_.note);
}

bool CalendarView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && calendar_.tooltip && !ShowsSentence()) {
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    const Geometry geometry = Layout();
    for (std::size_t i = 0; i < calendar_.levels.size(); ++i) {
      if (CellRect(geometry, static_cast<int>(i)).contains(at)) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), calendar_.tooltip(static_cast<int>(i)), this);
        return true;
      }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  return QWidget::event(event);
}

}  // namespace zembrot::plot
