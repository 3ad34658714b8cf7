#pragma once

// 学习统计: the learning record's figures drawn as plots, in a window of its
// own beside the game (not modal: the words go on falling behind it). A
// summary line above five plots: words known over time, speed and
// accuracy per game, words due in the next 30 days, the hardest words (one
// click from a practice list of them), and a calendar of the last year. An
// empty record shows one sentence saying what will appear instead.

#include <functional>
#include <vector>

#include <QString>
#include <QWidget>

#include "stats/figures.h"

class QLabel;
class QStackedWidget;

namespace zembrot {
class TSpeedButton;
}

namespace zembrot::plot {
class BarListView;
class CalendarView;
class ChartView;
}  // namespace zembrot::plot

namespace zembrot::progress {

class StatisticsWindow final : public QWidget {
  Q_OBJECT

 public:
  using Practise = std::function<void(const std::vector<stats::HardWord>&)>;

  // A window over `owner` (closed and freed with it). `practise` runs when
  // the learner asks to practise the hardest words.
  StatisticsWindow(QWidget* owner, Practise practise);

  void ShowFigures(const stats::Figures& figures);
  // Shows the window in front; the first time, centred over its owner and
  // kept on the owner's screen. Later showings keep where the learner put it.
  void Present();

  // The parts, as the tests look at them.
  const QLabel& SummaryLabel() const { return *summary_; }
  bool ShowsEmptyRecord() const;
  const QLabel& EmptyRecordLabel() const { return *emptyRecord_; }
  const QString& EmptyRecordText() const { return emptyRecordText_; }
  plot::ChartView& KnownChart() const { return *known_; }
  plot::ChartView& SpeedChart() const { return *speed_; }
  plot::ChartView& DueChart() const { return *due_; }
  plot::BarListView& HardestList() const { return *hardest_; }
  plot::CalendarView& PracticeCalendar() const { return *calendar_; }
  TSpeedButton& PractiseButton() const { return *practiseButton_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Practise practise_;
  std::vector<stats::HardWord> hardestWords_;
  QLabel* summary_;
  QStackedWidget* pages_;
  QWidget* emptyPage_;
  QWidget* plotsPage_;
  QLabel* emptyRecord_;
  QString emptyRecordText_;
  plot::ChartView* known_;
  plot::ChartView* speed_;
  plot::ChartView* due_;
  plot::BarListView* hardest_;
  plot::CalendarView* calendar_;
  TSpeedButton* practiseButton_;
  bool placed_ = false;
};

}  // namespace zembrot::progress
