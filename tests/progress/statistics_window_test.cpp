// 学习统计 drawn offscreen from the fixed review log (tests/stats/fixed_log.h):
// every plot's axes with their units and a known point of each at its
// pixel, the summary, and what the window says where there is nothing to
// plot yet.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>

#include "base/code_page.h"
#include "fixed_log.h"
#include "pixels.h"
#include "plot/bar_list_view.h"
#include "plot/calendar_view.h"
#include "plot/chart_view.h"
#include "progress/statistics_window.h"
#include "stats/figures.h"
#include "widgets/speed_button.h"

namespace zembrot::progress {
namespace {

using stats::testing::kToday;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class StatisticsWindowTest : public ::testing::Test {
 protected:
  void Open(const stats::ReviewLog& log) {
    window_ = std::make_unique<StatisticsWindow>(nullptr, nullptr);
    plot::testing::UseKnownColours(*window_);
    window_->ShowFigures(stats::ComputeFigures(log, kToday));
    window_->show();
    QCoreApplication::processEvents();
  }

  std::unique_ptr<StatisticsWindow> window_;
};

// In the game's Song face ("宋体", mapped to an installed one) throughout.
TEST_F(StatisticsWindowTest, EveryPlotHasItsAxesWithUnitsAndAKnownPointInPlace) {
  Open(stats::testing::FixedLog());
  plot::ChartView& known = window_->KnownChart();
  plot::ChartView& speed = window_->SpeedChart();
  plot::ChartView& due = window_->DueChart();
  plot::BarListView& hardest = window_->HardestList();
  plot::CalendarView& calendar = window_->PracticeCalendar();
  const struct {
    const char* what;
    QWidget* view;
    QRect frame;  // none for the calendar, which has no axes
    QPointF at;
    QColor colour;
  } cases[] = {
      // Seen: one word from 19819 to 19987, on a flat stretch. Known: pear
      // from 19939 to 19998.
      {"seen", &known, known.PlotRect(), known.Position(19900, 1), QColor(128, 128, 160)},
      {"known", &known, known.PlotRect(), known.Position(19960, 1), QColor(0, 128, 0)},
      // Game 3: three words in four minutes; game 8: one of three recalled.
      {"speed", &speed, speed.PlotRect(), speed.Position(3, 0.75), QColor(0, 64, 192)},
      {"share", &speed, speed.PlotRect(), speed.Position(8, 100.0 / 3, plot::Side::Right), QColor(208, 96, 0)},
      // Two words due tomorrow: the middle of their bar.
      {"due", &due, due.PlotRect(), due.Position(1, 1), QColor(0, 128, 128)},
      {"hardest", &hardest, hardest.PlotRect(), QPointF(hardest.BarRect(0).center()), QColor(176, 32, 32)},
      // Days since Monday 2 October 2023. Today: 4 reviews, the busiest.
      {"today", &calendar, QRect(), QPointF(calendar.CellRect(368).center()), QColor(25, 97, 39)},
      {"3 of 4", &calendar, QRect(), QPointF(calendar.CellRect(356).center()), QColor(35, 154, 59)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QImage image = c.view->grab().toImage();
    if (c.frame.isValid()) {
      ASSERT_GT(c.frame.width(), 250);
      ASSERT_GT(c.frame.height(), 100);
      EXPECT_TRUE(plot::testing::AxesAlong(image, c.frame));
    }
    EXPECT_TRUE(plot::testing::ColourNear(image, c.at, c.colour));
    EXPECT_EQ(c.view->font().family(), U("宋体"));
    EXPECT_EQ(c.view->font().pixelSize(), 12);
  }
  EXPECT_EQ(window_->SummaryLabel().font().family(), U("宋体"));

  ASSERT_TRUE(speed.GetChart().right_y.has_value());
  const struct {
    const plot::Axis* axis;
    const char* title;
  } axes[] = {
      {&known.GetChart().x, "日期"},
      {&known.GetChart().y, "单词数 (个)"},
      {&speed.GetChart().x, "第几局 (局)"},
      {&speed.GetChart().y, "速度 (词/分钟)"},
      {&*speed.GetChart().right_y, "正确率 (%)"},
      {&due.GetChart().x, "日期 (月/日,今天含已过期的)"},
      {&due.GetChart().y, "单词数 (个)"},
      {&hardest.Bars().axis, "漏掉次数 (次)"},
  };
  for (const auto& a : axes) {
    EXPECT_EQ(a.axis->title, U(a.title));
    EXPECT_GE(a.axis->ticks.size(), 2u) << a.title;
  }
  // Days are labelled by their date, the first due day as today.
  EXPECT_EQ(due.GetChart().x.label(0), U("今天"));
  EXPECT_EQ(due.GetChart().x.label(7), U("10/11"));
  EXPECT_EQ(known.GetChart().x.label(19844), U("5月"));

  std::string bars;
  for (const plot::Bar& bar : hardest.Bars().bars) {
    bars += QStringLiteral("%1 %2 %3; ").arg(bar.label).arg(bar.value).arg(bar.note).toStdString();
  }
  EXPECT_EQ(bars, "tea  茶 2 想起 0%; rice  米饭 1 想起 0%; pear  梨 1 想起 67%; ");
  // 53 weeks from a Monday; today is a Friday.
  EXPECT_EQ(calendar.Columns(), 53);
  EXPECT_EQ(calendar.GetCalendar().first_weekday, 0);
  EXPECT_EQ(calendar.GetCalendar().tooltip(368), U("2024年10月4日 星期五:复习 4 次"));
  // A button under the hardest words to practise them.
  EXPECT_TRUE(window_->PractiseButton().isVisible());
  EXPECT_EQ(window_->PractiseButton().Caption(), Utf8ToCodePage("练习这些单词"));
}

TEST_F(StatisticsWindowTest, AnEmptyRecordSaysWhatWillAppearInsteadOfEmptyAxes) {
  Open(stats::ReviewLog{});
  EXPECT_TRUE(window_->EmptyRecordLabel().isVisible());
  EXPECT_FALSE(window_->KnownChart().isVisible());
  EXPECT_EQ(window_->EmptyRecordText(), U("学习记录里还没有单词。玩过几局之后,这里会显示:\n"
                                           "  · 每天已掌握和见过的单词数\n"
                                           "  · 每局的速度和正确率\n"
                                           "  · 今后 30 天每天要复习的单词数\n"
                                           "  · 最难的十个单词,点一下就能练习它们\n"
                                           "  · 最近一年每天的练习"));
  EXPECT_TRUE(window_->EmptyRecordLabel().text().contains(U("最难的十个单词")));
  EXPECT_EQ(window_->SummaryLabel().text(), U("已掌握 0 个单词 · 连续练习 0 天 · 今天复习 0 次"));
}

TEST_F(StatisticsWindowTest, APlotWithNothingYetSaysSoWhileTheOthersDraw) {
  // One word, copied twice outside any game: seen, never graded.
  stats::ReviewLog log;
  log.words = {{1, "apple", "苹果"}};
  log.reviews = {stats::testing::Review(kToday - 1, 1, std::nullopt, 2, 0, 1),
                 stats::testing::Review(kToday, 1, std::nullopt, 2, 0, 1)};
  Open(log);
  EXPECT_TRUE(window_->KnownChart().isVisible());
  EXPECT_FALSE(window_->KnownChart().ShowsSentence());
  EXPECT_FALSE(window_->PracticeCalendar().ShowsSentence());
  const struct {
    bool shows_sentence;
    QString sentence;
    const char* expected;
  } cases[] = {
      {window_->SpeedChart().ShowsSentence(), window_->SpeedChart().GetChart().empty_text,
       "玩完一局(半分钟以上)之后,这里显示每局每分钟打出的单词数,和想起的单词占想起与漏掉的比例。"},
      {window_->DueChart().ShowsSentence(), window_->DueChart().GetChart().empty_text,
       "今后 30 天没有要复习的单词。想起过的单词会按记忆模型排到以后复习。"},
      {window_->HardestList().ShowsSentence(), window_->HardestList().Bars().empty_text, "还没有漏掉过的单词。"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.shows_sentence) << c.expected;
    EXPECT_EQ(c.sentence, U(c.expected));
  }
  EXPECT_FALSE(window_->PractiseButton().isVisible());
}

}  // namespace
}  // namespace zembrot::progress
