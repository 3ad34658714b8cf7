#pragma once

// CalendarView: days as small squares, one column per week (Monday at the
// top), each shaded by a level from 0 (nothing) to 4. Month names over the
// columns, weekday names beside the rows, and a legend from the lightest
// shade to the darkest.

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

namespace zembrot::plot {

inline constexpr int kShadeLevels = 5;

struct Calendar {
  QString title;
  int first_weekday = 0;    // the row of the first day: 0 for Monday
  std::vector<int> levels;  // one per day, 0..4
  std::array<QColor, kShadeLevels> shades;
  std::vector<std::pair<int, QString>> column_labels;  // a week column and its label (the months)
  std::array<QString, 7> row_labels;                   // Monday first; empty ones are left out
  QString legend_low;   // before the shades, e.g. "少"
  QString legend_high;  // after them, e.g. "多"
  QString note;         // left of the legend: what a square stands for, with its unit
  QString empty_text;   // shown instead of the squares when every level is 0
  std::function<QString(int day_index)> tooltip;
};

class CalendarView : public QWidget {
  Q_OBJECT

 public:
  explicit CalendarView(QWidget* parent = nullptr);

  void SetCalendar(Calendar calendar);
  const Calendar& GetCalendar() const { return calendar_; }
  bool ShowsSentence() const;

  int Columns() const;
  // The square of a day (its index in the levels) at the present size.
  QRect CellRect(int day_index) const;

  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Geometry {
    int left = 0;
    int top = 0;
    int pitch = 1;  // a square and the gap after it
  };
  Geometry Layout() const;
  QRect CellRect(const Geometry& geometry, int day_index) const;

  Calendar calendar_;
};

}  // namespace zembrot::plot
