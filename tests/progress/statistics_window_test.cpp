// 学习统计 drawn offscreen from the fixed review log (tests/stats/fixed_log.h):
// every plot's axes with their units, a known point of each at its pixel,
// the summary, the empty record's sentence, and the practice list of the
// hardest words.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>

#include "base/code_page.h"
#include "fixed_log.h"
#include "plot/bar_list_view.h"
#include "plot/calendar_view.h"
#include "plot/chart_view.h"
#include "progress/statistics_window.h"
#include "stats/figures.h"
#include "widgets/speed_button.h"

namespace zembrot::progress {
namespace {

using stats::testing::FixedLog;
using stats::testing::kToday;

const QColor kAxis(0, 0, 0);

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class StatisticsWindowTest : public ::testing::Test {
 protected:
  void Open(const stats::ReviewLog& log) {
    window_ = std::make_unique<StatisticsWindow>(
        nullptr, [this](const std::vector<stats::HardWord>& words) { practised_.push_back(words); });
    QPalette colours = window_->palette();
    colours.setColor(QPalette::WindowText, kAxis);
    colours.setColor(QPalette::Base, QColor(255, 255, 255));
    window_->setPalette(colours);
    window_->ShowFigures(stats::ComputeFigures(log, kToday));
    window_->show();
    QCoreApplication::processEvents();
  }

  std::unique_ptr<StatisticsWindow> window_;
  std::vector<std::vector<stats::HardWord>> practised_;
};

// Any pixel within one of `at` near `colour` (lines and dots are smoothed).
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

TEST_F(StatisticsWindowTest, EveryChartHasItsAxesWithUnitsAndAKnownPointInPlace) {
  Open(FixedLog());
  const struct {
    const char* name;
    plot::ChartView* view;
    const char* x_title;
    const char* y_title;
    double x;
    double y;
    plot::Side side;
    QColor colour;
  } cases[] = {
      // Seen: one word from 19819 to 19987, on a flat stretch.
      {"known", &window_->KnownChart(), "日期", "单词数 (个)", 19900, 1, plot::Side::Left, QColor(128, 128, 160)},
      // Known: pear from 19939 to 19998.
      {"known", &window_->KnownChart(), "日期", "单词数 (个)", 19960, 1, plot::Side::Left, QColor(0, 128, 0)},
      // Game 3: three words in four minutes; game 8: one of three recalled.
      {"speed", &window_->SpeedChart(), "第几局 (局)", "速度 (词/分钟)", 3, 0.75, plot::Side::Left, QColor(0, 64, 192)},
      {"speed", &window_->SpeedChart(), "第几局 (局)", "速度 (词/分钟)", 8, 100.0 / 3, plot::Side::Right,
       QColor(208, 96, 0)},
      // Two words due tomorrow: the middle of their bar.
      {"due", &window_->DueChart(), "日期 (月/日,今天含已过期的)", "单词数 (个)", 1, 1, plot::Side::Left,
       QColor(0, 128, 128)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const plot::Chart& chart = c.view->GetChart();
    EXPECT_FALSE(c.view->ShowsSentence());
    EXPECT_EQ(chart.x.title, U(c.x_title));
    EXPECT_EQ(chart.y.title, U(c.y_title));
    EXPECT_GE(chart.x.ticks.size(), 2u);
    EXPECT_GE(chart.y.ticks.size(), 2u);
    const QImage image = c.view->grab().toImage();
    const QRect frame = c.view->PlotRect();
    ASSERT_GT(frame.width(), 250);
    ASSERT_GT(frame.height(), 100);
    for (const double fraction : {0.2, 0.8}) {
      EXPECT_EQ(image.pixelColor(frame.left(), frame.top() + static_cast<int>(fraction * frame.height())), kAxis);
      EXPECT_EQ(image.pixelColor(frame.left() + static_cast<int>(fraction * frame.width()), frame.bottom()), kAxis);
    }
    EXPECT_TRUE(ColourNear(image, c.view->Position(c.x, c.y, c.side), c.colour));
  }
  // The speed chart's share has its own axis on the right, in percent.
  ASSERT_TRUE(window_->SpeedChart().GetChart().right_y.has_value());
  EXPECT_EQ(window_->SpeedChart().GetChart().right_y->title, U("正确率 (%)"));
  // Days are labelled by their date, the first due day as today.
  const plot::Axis& due_x = window_->DueChart().GetChart().x;
  EXPECT_EQ(due_x.label(0), U("今天"));
  EXPECT_EQ(due_x.label(7), U("10/11"));
  const plot::Axis& known_x = window_->KnownChart().GetChart().x;
  EXPECT_EQ(known_x.label(19844), U("5月"));
}

TEST_F(StatisticsWindowTest, HardestWordsAndTheCalendarAtTheirPixels) {
  Open(FixedLog());
  plot::BarListView& hardest = window_->HardestList();
  EXPECT_EQ(hardest.Bars().axis.title, U("漏掉次数 (次)"));
  ASSERT_EQ(hardest.Bars().bars.size(), 3u);
  EXPECT_EQ(hardest.Bars().bars[0].label, U("tea  茶"));
  EXPECT_EQ(hardest.Bars().bars[0].note, U("想起 0%"));
  EXPECT_EQ(hardest.Bars().bars[2].label, U("pear  梨"));
  EXPECT_EQ(hardest.Bars().bars[2].note, U("想起 67%"));
  const QImage bars = hardest.grab().toImage();
  const QRect frame = hardest.PlotRect();
  EXPECT_EQ(bars.pixelColor(frame.left(), frame.center().y()), kAxis);
  EXPECT_EQ(bars.pixelColor(frame.center().x(), frame.bottom()), kAxis);
  EXPECT_EQ(bars.pixelColor(hardest.BarRect(0).center()), QColor(176, 32, 32));
  // Two misses reach twice as far as one.
  EXPECT_NEAR(hardest.BarRect(0).width(), 2 * hardest.BarRect(2).width(), 2);

  plot::CalendarView& calendar = window_->PracticeCalendar();
  EXPECT_FALSE(calendar.ShowsSentence());
  EXPECT_EQ(calendar.Columns(), 53);
  const QImage days = calendar.grab().toImage();
  const struct {
    int index;  // days since Monday 2 October 2023
    QColor shade;
  } cases[] = {
      {368, QColor(25, 97, 39)},     // today: 4 reviews, the busiest
      {356, QColor(35, 154, 59)},    // 3 of 4
      {187, QColor(198, 228, 139)},  // 1 of 4
      {0, QColor(255, 255, 255)},    // none
  };
  for (const auto& c : cases) EXPECT_EQ(days.pixelColor(calendar.CellRect(c.index).center()), c.shade) << c.index;
  // Today (a Friday) is in the last column, fifth row.
  EXPECT_EQ(calendar.CellRect(368).left(), calendar.CellRect(4).left() + 52 * (calendar.CellRect(7).left() - calendar.CellRect(0).left()));
  EXPECT_EQ(calendar.CellRect(368).top(), calendar.CellRect(4).top());
  EXPECT_EQ(calendar.GetCalendar().tooltip(368), U("2024年10月4日 星期五:复习 4 次"));
}

TEST_F(StatisticsWindowTest, TheSummaryLineAndTheGamesFonts) {
  Open(FixedLog());
  EXPECT_EQ(window_->SummaryLabel().text(), U("已掌握 1 个单词 · 连续练习 2 天 · 今天复习 4 次"));
  EXPECT_FALSE(window_->ShowsEmptyRecord());
  EXPECT_TRUE(window_->isWindow());
  EXPECT_FALSE(window_->isModal());
  EXPECT_EQ(window_->windowTitle(), U("学习统计"));
  // The game's Song face ("宋体", mapped to an installed one), on every plot.
  for (const QWidget* part : std::initializer_list<const QWidget*>{&window_->KnownChart(), &window_->SpeedChart(),
                                                                   &window_->DueChart(), &window_->HardestList(),
                                                                   &window_->PracticeCalendar()}) {
    EXPECT_EQ(part->font().family(), U("宋体"));
    EXPECT_EQ(part->font().pixelSize(), 12);
  }
  EXPECT_EQ(window_->SummaryLabel().font().family(), U("宋体"));
}

TEST_F(StatisticsWindowTest, OneClickPractisesTheHardestWords) {
  Open(FixedLog());
  TSpeedButton& button = window_->PractiseButton();
  ASSERT_TRUE(button.isVisible());
  EXPECT_EQ(button.Caption(), Utf8ToCodePage("练习这些单词"));
  const QPoint middle = button.rect().center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, middle, button.mapToGlobal(middle), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &event);
  }
  ASSERT_EQ(practised_.size(), 1u);
  std::vector<std::string> words;
  for (const stats::HardWord& word : practised_[0]) words.push_back(word.english + "," + word.chinese);
  EXPECT_EQ(words, (std::vector<std::string>{"tea,茶", "rice,米饭", "pear,梨"}));
}

TEST_F(StatisticsWindowTest, AnEmptyRecordSaysWhatWillAppearInsteadOfEmptyAxes) {
  Open(stats::ReviewLog{});
  EXPECT_TRUE(window_->ShowsEmptyRecord());
  EXPECT_TRUE(window_->EmptyRecordLabel().isVisible());
  EXPECT_EQ(window_->EmptyRecordText(), U("学习记录里还没有单词。玩过几局之后,这里会显示:\n"
                                           "  · 每天已掌握和见过的单词数\n"
                                           "  · 每局的速度和正确率\n"
                                           "  · 今后 30 天每天要复习的单词数\n"
                                           "  · 最难的十个单词,点一下就能练习它们\n"
                                           "  · 最近一年每天的练习"));
  EXPECT_TRUE(window_->EmptyRecordLabel().text().contains(U("最难的十个单词")));
  for (const QWidget* plot : std::initializer_list<const QWidget*>{&window_->KnownChart(), &window_->DueChart(),
                                                                   &window_->PracticeCalendar()}) {
    EXPECT_FALSE(plot->isVisible());
  }
  EXPECT_EQ(window_->SummaryLabel().text(), U("已掌握 0 个单词 · 连续练习 0 天 · 今天复习 0 次"));
}

TEST_F(StatisticsWindowTest, APlotWithNothingYetSaysSoWhileTheOthersDraw) {
  // One word, copied twice outside any game: seen, never graded.
  stats::ReviewLog log;
  log.words = {{1, "apple", "苹果"}};
  log.reviews = {stats::testing::Review(kToday - 1, 1, std::nullopt, 2, 0, 1),
                 stats::testing::Review(kToday, 1, std::nullopt, 2, 0, 1)};
  Open(log);
  EXPECT_FALSE(window_->ShowsEmptyRecord());
  EXPECT_FALSE(window_->KnownChart().ShowsSentence());
  EXPECT_FALSE(window_->PracticeCalendar().ShowsSentence());
  const struct {
    bool shows_sentence;
    QString sentence;
    QString expected;
  } cases[] = {
      {window_->SpeedChart().ShowsSentence(), window_->SpeedChart().GetChart().empty_text,
       U("玩完一局(半分钟以上)之后,这里显示每局每分钟打出的单词数,和想起的单词占想起与漏掉的比例。")},
      {window_->DueChart().ShowsSentence(), window_->DueChart().GetChart().empty_text,
       U("今后 30 天没有要复习的单词。想起过的单词会按记忆模型排到以后复习。")},
      {window_->HardestList().ShowsSentence(), window_->HardestList().Bars().empty_text, U("还没有漏掉过的单词。")},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.shows_sentence) << c.expected.toStdString();
    EXPECT_EQ(c.sentence, c.expected);
  }
  EXPECT_FALSE(window_->PractiseButton().isVisible());
}

}  // namespace
}  // namespace zembrot::progress
