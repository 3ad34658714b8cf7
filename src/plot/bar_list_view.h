#pragma once

// BarListView: a ranked list drawn as horizontal bars, one row each: the
// row's label on the left, its bar from the value axis's zero, and a note
// after the bar. The value axis runs along the bottom with its title.

#include <vector>

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

#include "plot/chart_view.h"

namespace zembrot::plot {

struct Bar {
  QString label;
  double value = 0;
  QString note;
};

struct BarList {
  QString title;
  Axis axis;  // the values, along the bottom
  QColor color;
  std::vector<Bar> bars;  // top to bottom
  QString empty_text;     // shown when there is no bar
};

class BarListView : public QWidget {
  Q_OBJECT

 public:
  explicit BarListView(QWidget* parent = nullptr);

  void SetBars(BarList bars);
  const BarList& Bars() const { return bars_; }
  bool ShowsSentence() const { return bars_.bars.empty(); }

  // The frame the bars stand in (its left edge is zero, its bottom the
  // axis line) and one row's bar, at the present size.
  QRect PlotRect() const;
  QRect BarRect(int row) const;

  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int LabelWidth() const;
  int NoteWidth() const;
  int RowHeight() const;
  double XOf(double value) const;

  BarList bars_;
};

}  // namespace zembrot::plot
