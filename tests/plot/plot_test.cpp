// The plotting module: round numbers for the axes, and the views drawn
// offscreen, checked at the pixels where their axes and a known point lie.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QPalette>

#include "plot/bar_list_view.h"
#include "plot/calendar_view.h"
#include "plot/chart_view.h"
#include "plot/painting.h"
#include "plot/scale.h"

namespace zembrot::plot {
namespace {

const QColor kText(0, 0, 0);
const QColor kBase(255, 255, 255);
const QColor kFace(212, 208, 200);

void UseKnownColours(QWidget& view) {
  QPalette colours = view.palette();
  colours.setColor(QPalette::WindowText, kText);
  colours.setColor(QPalette::Base, kBase);
  colours.setColor(QPalette::Window, kFace);
  view.setPalette(colours);
  view.setAutoFillBackground(true);
}

QColor Pixel(const QImage& image, QPointF at) { return image.pixelColor(at.toPoint()); }

// Any pixel within a pixel of `at` close to `colour` (lines and dots are
// smoothed at their edges).
bool ColourNear(const QImage& image, QPointF at, const QColor& colour) {
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      const QColor seen = image.pixelColor(at.toPoint() + QPoint(dx, dy));
      if (std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green()) +
              std::abs(seen.blue() - colour.blue()) <
          40) {
        return true;
      }
    }
  }
  return false;
}

// Something dark (text) in the rectangle.
bool InkIn(const QImage& image, const QRect& area) {
  for (int x = std::max(area.left(), 0); x <= std::min(area.right(), image.width() - 1); ++x) {
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), image.height() - 1); ++y) {
      if (image.pixelColor(x, y).lightness() < 110) return true;
    }
  }
  return false;
}

std::string Ticks(const Scale& scale) {
  std::string text;
  for (const double tick : scale.ticks) text += NumberLabel(tick).toStdString() + " ";
  return text;
}

TEST(PlotScale, RoundStepsOfOneTwoOrFive) {
  const struct {
    double low;
    double high;
    int most;
    bool whole;
    const char* ticks;
  } cases[] = {
      {0, 37, 6, false, "0 10 20 30 40 "},
      {0, 0.93, 6, false, "0 0.2 0.4 0.6 0.8 1 "},
      {0, 2.5, 6, false, "0 0.5 1 1.5 2 2.5 "},
      {-3, 7, 6, false, "-5 0 5 10 "},
      {0, 3, 6, true, "0 1 2 3 "},         // counts: never half a word
      {1, 8, 7, true, "0 2 4 6 8 "},
      {0, 0, 6, true, "0 1 "},             // nothing yet: one step
      {1, 1, 7, true, "1 2 "},
      {0, 36500, 6, true, "0 10000 20000 30000 40000 "},
  };
  for (const auto& c : cases) {
    const Scale scale = NiceScale(c.low, c.high, c.most, c.whole);
    EXPECT_EQ(Ticks(scale), c.ticks) << c.low << ".." << c.high;
    EXPECT_EQ(scale.low, scale.ticks.front());
    EXPECT_EQ(scale.high, scale.ticks.back());
  }
}

Chart SampleChart() {
  Chart chart;
  chart.title = QStringLiteral("Sample");
  chart.x = {QStringLiteral("day (d)"), -0.5, 4.5, {0, 1, 2, 3, 4}, {}};
  chart.y = {QStringLiteral("words (n)"), 0, 4, {0, 1, 2, 3, 4}, {}};
  chart.right_y = Axis{QStringLiteral("share (%)"), 0, 100, {0, 50, 100}, {}};
  chart.series = {
      {QStringLiteral("bars"), QColor(0, 128, 128), Mark::Bars, Qt::SolidLine, Side::Left, {{1, 2}}},
      {QStringLiteral("dots"), QColor(0, 64, 192), Mark::Dots, Qt::SolidLine, Side::Left, {{3, 3}}},
      {QStringLiteral("line"), QColor(208, 96, 0), Mark::Line, Qt::SolidLine, Side::Right, {{2, 62.5}, {4, 62.5}}},
  };
  chart.empty_text = QStringLiteral("Nothing yet.");
  return chart;
}

TEST(PlotChartView, AxesTicksAndKnownPointsWhereTheyBelong) {
  ChartView view;
  UseKnownColours(view);
  view.resize(400, 300);
  view.SetChart(SampleChart());
  const QImage image = view.grab().toImage();
  const QRect frame = view.PlotRect();
  ASSERT_GT(frame.width(), 200);
  ASSERT_GT(frame.height(), 150);

  // The three axis lines, along their length.
  for (const double fraction : {0.1, 0.5, 0.9}) {
    const int y = frame.top() + static_cast<int>(fraction * frame.height());
    const int x = frame.left() + static_cast<int>(fraction * frame.width());
    EXPECT_EQ(image.pixelColor(frame.left(), y), kText) << "left axis at " << y;
    EXPECT_EQ(image.pixelColor(frame.right(), y), kText) << "right axis at " << y;
    EXPECT_EQ(image.pixelColor(x, frame.bottom()), kText) << "bottom axis at " << x;
  }
  // Each value lands in proportion along its axis.
  EXPECT_EQ(view.Position(-0.5, 0), QPointF(frame.left(), frame.bottom()));
  EXPECT_EQ(view.Position(4.5, 4), QPointF(frame.left() + frame.width(), frame.bottom() - frame.height()));
  EXPECT_EQ(view.Position(2, 50, Side::Right), QPointF(frame.left() + frame.width() / 2.0, frame.bottom() - frame.height() / 2.0));

  EXPECT_EQ(Pixel(image, view.Position(1, 1)), QColor(0, 128, 128));  // inside the bar of 2
  EXPECT_EQ(Pixel(image, view.Position(1, 2.5)), kBase);               // above it
  EXPECT_EQ(Pixel(image, view.Position(3, 3)), QColor(0, 64, 192));   // the dot
  EXPECT_TRUE(ColourNear(image, view.Position(3.5, 62.5, Side::Right), QColor(208, 96, 0)));  // the line at 62.5 %
  EXPECT_EQ(Pixel(image, view.Position(2, 3.5)), kBase);

  // A label beside every left tick and under every bottom tick, and the
  // axis titles above the frame and under the labels.
  const int line = view.fontMetrics().height();
  for (const double tick : {0.0, 2.0, 4.0}) {
    const int y = static_cast<int>(view.Position(0, tick).y());
    EXPECT_TRUE(InkIn(image, QRect(0, y - line / 2, frame.left() - kTickLength, line))) << "label of " << tick;
  }
  for (const double tick : {0.0, 4.0}) {
    const int x = static_cast<int>(view.Position(tick, 0).x());
    EXPECT_TRUE(InkIn(image, QRect(x - 4, frame.bottom() + kTickLength + 1, 8, line))) << "label of " << tick;
  }
  EXPECT_TRUE(InkIn(image, QRect(0, frame.top() - 2 * line, frame.left() + 20, line)));
  EXPECT_TRUE(InkIn(image, QRect(frame.left(), frame.bottom() + kTickLength + line, frame.width(), line + kGap)));
}

TEST(PlotChartView, NoPointAtAllShowsTheSentenceInsteadOfAxes) {
  ChartView view;
  UseKnownColours(view);
  view.resize(400, 300);
  Chart chart = SampleChart();
  for (Series& series : chart.series) series.points.clear();
  view.SetChart(chart);
  EXPECT_TRUE(view.ShowsSentence());
  const QImage image = view.grab().toImage();
  const QRect frame = view.PlotRect();
  for (const double fraction : {0.1, 0.9}) {
    EXPECT_EQ(image.pixelColor(frame.left(), frame.top() + static_cast<int>(fraction * frame.height())), kFace);
    EXPECT_EQ(image.pixelColor(frame.left() + static_cast<int>(fraction * frame.width()), frame.bottom()), kFace);
  }
  // The sentence, in the middle.
  EXPECT_TRUE(InkIn(image, QRect(150, 120, 100, 60)));
}

TEST(PlotBarListView, BarsInProportionFromTheAxis) {
  BarListView view;
  UseKnownColours(view);
  view.resize(400, 300);
  BarList list;
  list.title = QStringLiteral("Hardest");
  list.axis = {QStringLiteral("misses (n)"), 0, 4, {0, 1, 2, 3, 4}, {}};
  list.color = QColor(176, 32, 32);
  list.bars = {{QStringLiteral("tea"), 4, QStringLiteral("0%")}, {QStringLiteral("rice"), 2, QStringLiteral("50%")},
               {QStringLiteral("pear"), 1, QStringLiteral("75%")}};
  view.SetBars(list);
  const QImage image = view.grab().toImage();
  const QRect frame = view.PlotRect();
  EXPECT_EQ(image.pixelColor(frame.left(), frame.top() + frame.height() / 2), kText);
  EXPECT_EQ(image.pixelColor(frame.left() + frame.width() / 2, frame.bottom()), kText);
  const struct {
    int row;
    double value;
  } rows[] = {{0, 4}, {1, 2}, {2, 1}};
  for (const auto& r : rows) {
    const QRect bar = view.BarRect(r.row);
    EXPECT_EQ(image.pixelColor(bar.center()), QColor(176, 32, 32)) << r.row;
    EXPECT_NEAR(bar.right(), frame.left() + r.value / 4 * frame.width(), 1.0) << r.row;
    // Its label on the left, its note on the right.
    EXPECT_TRUE(InkIn(image, QRect(0, bar.top(), frame.left() - kGap, bar.height()))) << r.row;
    EXPECT_TRUE(InkIn(image, QRect(bar.right() + 2, bar.top(), 40, bar.height()))) << r.row;
  }
  EXPECT_EQ(image.pixelColor(view.BarRect(1).right() + 40, view.BarRect(1).center().y()), kBase);
}

TEST(PlotCalendarView, EachDayInItsWeekdayRowShadedByItsLevel) {
  CalendarView view;
  UseKnownColours(view);
  view.resize(700, 180);
  Calendar calendar;
  calendar.title = QStringLiteral("Days");
  calendar.first_weekday = 2;  // starts on a Wednesday
  calendar.levels = {0, 1, 2, 3, 4, 0, 0, 0, 0, 4};
  calendar.shades = {QColor(255, 255, 255), QColor(198, 228, 139), QColor(123, 201, 111), QColor(35, 154, 59),
                     QColor(25, 97, 39)};
  calendar.row_labels = {QStringLiteral("Mo"), QString(), QStringLiteral("We"), QString(), QStringLiteral("Fr"),
                         QString(), QStringLiteral("Su")};
  calendar.column_labels = {{1, QStringLiteral("Jan")}};
  view.SetCalendar(calendar);
  EXPECT_EQ(view.Columns(), 2);
  const QImage image = view.grab().toImage();
  const struct {
    int day;
    int column;
    int row;
    QColor shade;
  } cases[] = {{0, 0, 2, QColor(255, 255, 255)}, {1, 0, 3, QColor(198, 228, 139)}, {3, 0, 5, QColor(35, 154, 59)},
               {4, 0, 6, QColor(25, 97, 39)},    {5, 1, 0, QColor(255, 255, 255)}, {9, 1, 4, QColor(25, 97, 39)}};
  const QRect first = view.CellRect(0);
  const int pitch = view.CellRect(1).top() - first.top();
  ASSERT_GT(pitch, first.height());
  for (const auto& c : cases) {
    const QRect cell = view.CellRect(c.day);
    EXPECT_EQ(cell.left(), first.left() + c.column * pitch) << c.day;
    EXPECT_EQ(cell.top(), first.top() + (c.row - 2) * pitch) << c.day;
    EXPECT_EQ(image.pixelColor(cell.center()), c.shade) << c.day;
  }
  // The weekday names beside the rows, the month over its column.
  const int line = view.fontMetrics().height();
  EXPECT_TRUE(InkIn(image, QRect(0, view.CellRect(0).top(), first.left() - 2, pitch)));  // We
  EXPECT_FALSE(InkIn(image, QRect(0, view.CellRect(1).top(), first.left() - 2, pitch - 2)));  // no name on Thursday
  EXPECT_TRUE(InkIn(image, QRect(first.left() + pitch, first.top() - 2 * pitch - line, 30, line + 2 * pitch)));
}

}  // namespace
}  // namespace zembrot::plot
