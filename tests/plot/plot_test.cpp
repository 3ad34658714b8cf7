// The plotting module: round numbers for the axes, and the views drawn
// offscreen, checked at the pixels where their axes and a known point lie.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include <QImage>

#include "pixels.h"
#include "plot/bar_list_view.h"
#include "plot/calendar_view.h"
#include "plot/chart_view.h"
#include "plot/painting.h"
#include "plot/scale.h"

namespace zembrot::plot {
namespace {

using namespace testing;

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
      {0, 3, 6, true, "0 1 2 3 "},  // counts: never half a word
      {1, 8, 7, true, "0 2 4 6 8 "},
      {0, 0, 6, true, "0 1 "},  // nothing yet: one step
      {1, 1, 7, true, "1 2 "},
      {0, 36500, 6, true, "0 10000 20000 30000 40000 "},
  };
  for (const auto& c : cases) {
    std::string ticks;
    for (const double tick : NiceScale(c.low, c.high, c.most, c.whole).ticks) ticks += NumberLabel(tick).toStdString() + " ";
    EXPECT_EQ(ticks, c.ticks) << c.low << ".." << c.high;
  }
}

const QColor kTeal(0, 128, 128);
const QColor kBlue(0, 64, 192);
const QColor kOrange(208, 96, 0);

Chart SampleChart() {
  Chart chart;
  chart.title = QStringLiteral("Sample");
  chart.x = {QStringLiteral("day (d)"), -0.5, 4.5, {0, 1, 2, 3, 4}, {}};
  chart.y = {QStringLiteral("words (n)"), 0, 4, {0, 1, 2, 3, 4}, {}};
  chart.right_y = Axis{QStringLiteral("share (%)"), 0, 100, {0, 50, 100}, {}};
  chart.series = {
      {QStringLiteral("bars"), kTeal, Mark::Bars, Qt::SolidLine, Side::Left, {{1, 2}}},
      {QStringLiteral("dots"), kBlue, Mark::Dots, Qt::SolidLine, Side::Left, {{3, 3}}},
      {QStringLiteral("line"), kOrange, Mark::Line, Qt::SolidLine, Side::Right, {{2, 62.5}, {4, 62.5}}},
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
  EXPECT_TRUE(AxesAlong(image, frame));
  EXPECT_EQ(image.pixelColor(frame.right(), frame.center().y()), kText);  // the right-hand axis
  // Each value lands in proportion along its axis.
  EXPECT_EQ(view.Position(-0.5, 0), QPointF(frame.left(), frame.bottom()));
  EXPECT_EQ(view.Position(4.5, 4), QPointF(frame.left() + frame.width(), frame.bottom() - frame.height()));
  EXPECT_EQ(view.Position(2, 50, Side::Right),
            QPointF(frame.left() + frame.width() / 2.0, frame.bottom() - frame.height() / 2.0));
  const struct {
    double x;
    double y;
    Side side;
    QColor colour;
  } points[] = {
      {1, 1, Side::Left, kTeal},           // inside the bar of 2
      {1, 2.5, Side::Left, kBase},         // above it
      {3, 3, Side::Left, kBlue},           // the dot
      {3.5, 62.5, Side::Right, kOrange},   // the line at 62.5 %
      {2, 3.5, Side::Left, kBase},         // nothing
  };
  for (const auto& p : points) {
    EXPECT_TRUE(ColourNear(image, view.Position(p.x, p.y, p.side), p.colour)) << p.x << ", " << p.y;
  }
  // A label beside every left tick and under every bottom tick, and the
  // axis titles above the frame and under the labels.
  const int line = view.fontMetrics().height();
  for (const double tick : {0.0, 2.0, 4.0}) {
    const int y = static_cast<int>(view.Position(0, tick).y());
    EXPECT_TRUE(InkIn(image, QRect(0, y - line / 2, frame.left() - kTickLength, line))) << "left label " << tick;
    const int x = static_cast<int>(view.Position(tick, 0).x());
    EXPECT_TRUE(InkIn(image, QRect(x - 4, frame.bottom() + kTickLength + 1, 8, line))) << "bottom label " << tick;
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
  EXPECT_TRUE(InkIn(image, QRect(150, 120, 100, 60)));  // the sentence, in the middle
}

TEST(PlotBarListView, BarsInProportionFromTheAxisBetweenTheirLabelAndNote) {
  BarListView view;
  UseKnownColours(view);
  view.resize(400, 300);
  const QColor red(176, 32, 32);
  view.SetBars({QStringLiteral("Hardest"),
                {QStringLiteral("misses (n)"), 0, 4, {0, 1, 2, 3, 4}, {}},
                red,
                {{QStringLiteral("tea"), 4, QStringLiteral("0%")},
                 {QStringLiteral("rice"), 2, QStringLiteral("50%")},
                 {QStringLiteral("pear"), 1, QStringLiteral("75%")}},
                {}});
  const QImage image = view.grab().toImage();
  const QRect frame = view.PlotRect();
  const double values[] = {4, 2, 1};
  for (int row = 0; row < 3; ++row) {
    const QRect bar = view.BarRect(row);
    EXPECT_EQ(image.pixelColor(bar.center()), red) << row;
    EXPECT_NEAR(bar.right(), frame.left() + values[row] / 4 * frame.width(), 1.0) << row;
    EXPECT_TRUE(InkIn(image, QRect(0, bar.top(), frame.left() - kGap, bar.height()))) << "label of " << row;
    EXPECT_TRUE(InkIn(image, QRect(bar.right() + 2, bar.top(), 40, bar.height()))) << "note of " << row;
  }
}

TEST(PlotCalendarView, EachDayInItsWeekdayRowShadedByItsLevel) {
  CalendarView view;
  UseKnownColours(view);
  view.resize(700, 180);
  const std::array<QColor, kShadeLevels> shades = {QColor(255, 255, 255), QColor(198, 228, 139),
                                                   QColor(123, 201, 111), QColor(35, 154, 59), QColor(25, 97, 39)};
  Calendar calendar;
  calendar.first_weekday = 2;  // starts on a Wednesday
  calendar.levels = {0, 1, 2, 3, 4, 0, 0, 0, 0, 4};
  calendar.shades = shades;
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
    int level;
  } cases[] = {{0, 0, 2, 0}, {1, 0, 3, 1}, {3, 0, 5, 3}, {4, 0, 6, 4}, {5, 1, 0, 0}, {9, 1, 4, 4}};
  const QRect first = view.CellRect(0);
  const int pitch = view.CellRect(1).top() - first.top();
  ASSERT_GT(pitch, first.height());
  for (const auto& c : cases) {
    const QRect cell = view.CellRect(c.day);
    EXPECT_EQ(cell.left(), first.left() + c.column * pitch) << c.day;
    EXPECT_EQ(cell.top(), first.top() + (c.row - 2) * pitch) << c.day;
    EXPECT_EQ(image.pixelColor(cell.center()), shades[static_cast<std::size_t>(c.level)]) << c.day;
  }
  // The weekday names beside the rows, the month over its column.
  const int line = view.fontMetrics().height();
  EXPECT_TRUE(InkIn(image, QRect(0, first.top(), first.left() - 2, pitch)));                 // We
  EXPECT_FALSE(InkIn(image, QRect(0, view.CellRect(1).top(), first.left() - 2, pitch - 2)));  // none on Thursday
  EXPECT_TRUE(InkIn(image, QRect(first.left() + pitch, first.top() - 2 * pitch - line, 30, line + 2 * pitch)));
}

}  // namespace
}  // namespace zembrot::plot
