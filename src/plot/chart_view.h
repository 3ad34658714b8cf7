#pragma once

// ChartView: one x-y plot drawn with QPainter. A frame with a left value
// axis (and optionally a right one), a bottom axis, grid lines at the left
// axis's ticks, and series drawn as lines, dots or bars. Axis titles carry
// their units; the y titles stand above their axes, so Chinese reads
// upright. A chart without a single point shows its sentence instead.

#include <functional>
#include <optional>
#include <vector>

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

class QFontMetrics;
class QPainter;

namespace zembrot::plot {

enum class Mark { Line, Dots, Bars };
enum class Side { Left, Right };

struct Series {
  QString name;  // in the legend; none without a name
  QColor color;
  Mark mark = Mark::Line;
  Qt::PenStyle pen = Qt::SolidLine;  // lines only
  Side side = Side::Left;
  std::vector<QPointF> points;
};

struct Axis {
  QString title;  // with its unit, e.g. "单词数 (个)"
  double low = 0;
  double high = 1;
  std::vector<double> ticks;
  // A tick's label; without it, the number.
  std::function<QString(double)> label;
};

// A tick's label: the axis's own, else the number.
QString TickLabel(const Axis& axis, double value);

// Draws `axis` under `frame`: at each tick, at x_of(tick), a mark reaching
// down and its label, and the title centred below them.
void DrawBottomAxis(QPainter& painter, const QFontMetrics& metrics, const QRect& frame, const Axis& axis,
                    const std::function<double(double)>& x_of);

struct Chart {
  QString title;
  Axis x;
  Axis y;
  std::optional<Axis> right_y;
  std::vector<Series> series;
  double bar_width = 0.8;  // in x units, centred on each point's x
  QString empty_text;      // shown instead of the axes when no series has a point
};

class ChartView : public QWidget {
  Q_OBJECT

 public:
  explicit ChartView(QWidget* parent = nullptr);

  void SetChart(Chart chart);
  const Chart& GetChart() const { return chart_; }
  bool ShowsSentence() const;

  // The frame inside the axes at the present size (its left and bottom
  // edges are the axis lines), and where a value lands in it.
  QRect PlotRect() const;
  QPointF Position(double x, double y, Side side = Side::Left) const;

  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int WidestLabel(const Axis& axis) const;
  // Position within a frame worked out once (laying the frame out measures
  // every tick label, far too dear for each of a thousand points).
  QPointF Map(const QRect& frame, double x, double y, Side side) const;
  void DrawSeries(QPainter& painter, const QRect& frame, const Series& series) const;

  Chart chart_;
};

}  // namespace zembrot::plot
