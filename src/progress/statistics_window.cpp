#include "progress/statistics_window.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "base/code_page.h"
#include "game/texts.h"
#include "plot/bar_list_view.h"
#include "plot/calendar_view.h"
#include "plot/chart_view.h"
#include "plot/scale.h"
#include "widgets/colors.h"
#include "widgets/font.h"
#include "widgets/speed_button.h"

namespace zembrot::progress {

namespace {

// The window's texts, written in UTF-8 and shown as they are: the words of
// the record are UTF-8 too, and need no trip through the code page.
QString T(const char* utf8) { return QString::fromUtf8(utf8); }
QString T(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

constexpr int kWidth = 940;
constexpr int kHeight = 680;
constexpr int kLabelFontHeight = -12;
constexpr int kSummaryFontHeight = -15;
constexpr int kMostTicks = 6;

const QColor kKnownColor(0, 128, 0);
const QColor kSeenColor(128, 128, 160);
const QColor kSpeedColor(0, 64, 192);
const QColor kRecallColor(208, 96, 0);
const QColor kDueColor(0, 128, 128);
const QColor kHardColor(176, 32, 32);
// From no review to the busiest day.
const std::array<QColor, plot::kShadeLevels> kShades = {QColor(255, 255, 255), QColor(198, 228, 139),
                                                         QColor(123, 201, 111), QColor(35, 154, 59),
                                                         QColor(25, 97, 39)};

// The game's Song face, at a height the plots stay readable with.
QFont SongFont(int height) {
  TFont font;
  font.SetName(texts::SongFace());
  font.SetHeight(height);
  return font.ToQFont();
}

QString MonthDay(std::int64_t day) {
  const stats::CalendarDate date = stats::DateOfDay(day);
  return QStringLiteral("%1/%2").arg(date.month).arg(date.day);
}

QString FullDate(std::int64_t day) {
  static const char* const kWeekdays[] = {"一", "二", "三", "四", "五", "六", "日"};
  const stats::CalendarDate date = stats::DateOfDay(day);
  return T("%1年%2月%3日 星期%4")
      .arg(date.year)
      .arg(date.month)
      .arg(date.day)
      .arg(T(kWeekdays[stats::Weekday(day)]));
}

// Ticks at days: "M月" at the start of a month ("YYYY年" in January) when
// the ticks are whole months, else "M/D".
plot::Axis DateAxis(const QString& title, std::int64_t first, std::int64_t last) {
  plot::Axis axis;
  axis.title = title;
  axis.low = static_cast<double>(first);
  axis.high = static_cast<double>(last);
  const std::vector<std::int64_t> ticks = stats::DateTicks(first, last, kMostTicks);
  const bool months = ticks.size() >= 2 && ticks[1] - ticks[0] >= 28 &&
                      std::all_of(ticks.begin(), ticks.end(), [](std::int64_t day) { return stats::DateOfDay(day).day == 1; });
  for (const std::int64_t tick : ticks) axis.ticks.push_back(static_cast<double>(tick));
  axis.label = [months](double value) {
    const auto day = static_cast<std::int64_t>(std::llround(value));
    if (!months) return MonthDay(day);
    const stats::CalendarDate date = stats::DateOfDay(day);
    return date.month == 1 ? T("%1年").arg(date.year) : T("%1月").arg(date.month);
  };
  return axis;
}

plot::Axis CountAxis(const QString& title, double highest) {
  const plot::Scale scale = plot::NiceScale(0, highest, kMostTicks, /*whole=*/true);
  plot::Axis axis;
  axis.title = title;
  axis.low = scale.low;
  axis.high = scale.high;
  axis.ticks = scale.ticks;
  return axis;
}

plot::Chart KnownOverTime(const stats::Figures& figures) {
  plot::Chart chart;
  chart.title = T("掌握的单词(记忆稳定 21 天以上)");
  chart.empty_text = T("还没有复习过单词。");
  if (figures.known.empty()) return chart;
  plot::Series known{T("已掌握"), kKnownColor, plot::Mark::Line, Qt::SolidLine, plot::Side::Left, {}};
  plot::Series seen{T("见过"), kSeenColor, plot::Mark::Line, Qt::SolidLine, plot::Side::Left, {}};
  // The day before the first review: nothing seen yet, so the lines rise from zero.
  const std::int64_t first = figures.known.front().day - 1;
  known.points.emplace_back(static_cast<double>(first), 0);
  seen.points.emplace_back(static_cast<double>(first), 0);
  int most = 0;
  for (const stats::KnownOnDay& day : figures.known) {
    known.points.emplace_back(static_cast<double>(day.day), day.known);
    seen.points.emplace_back(static_cast<double>(day.day), day.seen);
    most = std::max(most, day.seen);
  }
  chart.x = DateAxis(T("日期"), first, figures.known.back().day);
  chart.y = CountAxis(T("单词数 (个)"), most);
  chart.series = {std::move(seen), std::move(known)};
  return chart;
}

plot::Chart SpeedAndAccuracy(const stats::Figures& figures) {
  plot::Chart chart;
  chart.title = T("每局的速度和正确率(虚线为趋势)");
  chart.empty_text = T("玩完一局(半分钟以上)之后,这里显示每局每分钟打出的单词数,和想起的单词占想起与漏掉的比例。");
  if (figures.games.empty()) return chart;
  const int games = static_cast<int>(figures.games.size());
  plot::Series speed{T("速度"), kSpeedColor, plot::Mark::Dots, Qt::SolidLine, plot::Side::Left, {}};
  plot::Series recall{T("正确率"), kRecallColor, plot::Mark::Dots, Qt::SolidLine, plot::Side::Right, {}};
  double fastest = 0;
  for (const stats::GameFigures& game : figures.games) {
    speed.points.emplace_back(game.number, game.words_per_minute);
    if (game.recalled_share) recall.points.emplace_back(game.number, *game.recalled_share * 100);
    fastest = std::max(fastest, game.words_per_minute);
  }
  // Room after the last game, so that its dots stand clear of the right axis.
  const plot::Scale x = plot::NiceScale(0, games + 1, kMostTicks + 1, /*whole=*/true);
  chart.x = {T("第几局 (局)"), x.low, x.high, x.ticks, {}};
  // A tenth more than the fastest game, so that its dot stands clear of the top.
  const plot::Scale y = plot::NiceScale(0, std::max(fastest * 1.1, 1.0), kMostTicks);
  chart.y = {T("速度 (词/分钟)"), y.low, y.high, y.ticks, {}};
  chart.right_y = plot::Axis{T("正确率 (%)"), 0, 100, {0, 20, 40, 60, 80, 100}, {}};
  chart.series = {std::move(speed), std::move(recall)};
  const auto trend = [&](const std::optional<stats::Line>& line, const QColor& color, plot::Side side, double scale) {
    if (!line) return;
    // Darker than the dots, so that it shows where they crowd round it.
    plot::Series series{QString(), color.darker(160), plot::Mark::Line, Qt::DashLine, side, {}};
    series.points = {{1.0, line->At(1) * scale}, {static_cast<double>(games), line->At(games) * scale}};
    chart.series.push_back(std::move(series));
  };
  trend(figures.speed_trend, kSpeedColor, plot::Side::Left, 1);
  trend(figures.recall_trend, kRecallColor, plot::Side::Right, 100);
  return chart;
}

plot::Chart DueAhead(const stats::Figures& figures) {
  plot::Chart chart;
  chart.title = T("今后 30 天要复习的单词");
  chart.empty_text = T("今后 30 天没有要复习的单词。想起过的单词会按记忆模型排到以后复习。");
  plot::Series due{QString(), kDueColor, plot::Mark::Bars, Qt::SolidLine, plot::Side::Left, {}};
  int most = 0;
  for (std::size_t i = 0; i < figures.due.size(); ++i) {
    if (figures.due[i] > 0) due.points.emplace_back(static_cast<double>(i), figures.due[i]);
    most = std::max(most, figures.due[i]);
  }
  if (due.points.empty()) return chart;
  chart.x.title = T("日期 (月/日,今天含已过期的)");
  chart.x.low = -0.5;
  chart.x.high = static_cast<double>(stats::kDueDays) - 0.5;
  for (int tick = 0; tick < stats::kDueDays; tick += 7) chart.x.ticks.push_back(tick);
  const std::int64_t today = figures.today;
  chart.x.label = [today](double value) {
    const auto ahead = static_cast<std::int64_t>(std::llround(value));
    return ahead == 0 ? T("今天") : MonthDay(today + ahead);
  };
  chart.y = CountAxis(T("单词数 (个)"), most);
  chart.series = {std::move(due)};
  return chart;
}

plot::BarList HardestBars(const stats::Figures& figures) {
  plot::BarList list;
  list.title = T("最难的单词(漏掉最多、最少想起)");
  list.empty_text = T("还没有漏掉过的单词。");
  list.color = kHardColor;
  int most = 0;
  for (const stats::HardWord& word : figures.hardest) {
    list.bars.push_back({T(word.english) + QStringLiteral("  ") + T(word.chinese), static_cast<double>(word.misses),
                         T("想起 %1%").arg(std::lround(word.recall_share * 100))});
    most = std::max(most, word.misses);
  }
  list.axis = CountAxis(T("漏掉次数 (次)"), most);
  return list;
}

plot::Calendar CalendarOf(const stats::Figures& figures) {
  plot::Calendar calendar;
  calendar.title = T("练习日历(最近一年)");
  calendar.empty_text = T("最近一年没有练习过。");
  calendar.first_weekday = stats::Weekday(figures.calendar.first_day);
  calendar.shades = kShades;
  for (const int reviews : figures.calendar.reviews) {
    calendar.levels.push_back(stats::ShadeLevel(reviews, figures.calendar.busiest));
  }
  calendar.row_labels = {T("一"), QString(), T("三"), QString(), T("五"), QString(), T("日")};
  // A month's name over the week that holds its first day.
  const std::int64_t first = figures.calendar.first_day - calendar.first_weekday;
  const auto days = static_cast<std::int64_t>(figures.calendar.reviews.size());
  for (std::int64_t day = figures.calendar.first_day; day < figures.calendar.first_day + days; ++day) {
    const stats::CalendarDate date = stats::DateOfDay(day);
    if (date.day != 1) continue;
    calendar.column_labels.emplace_back(static_cast<int>((day - first) / 7),
                                        date.month == 1 ? T("%1年").arg(date.year) : T("%1月").arg(date.month));
  }
  calendar.legend_low = T("少");
  calendar.legend_high = T("多");
  calendar.note = T("每格一天,颜色越深,那天复习的次数越多 (最多的一天 %1 次)").arg(figures.calendar.busiest);
  const stats::PracticeCalendar counts = figures.calendar;
  calendar.tooltip = [counts](int index) {
    return T("%1:复习 %2 次")
        .arg(FullDate(counts.first_day + index))
        .arg(counts.reviews.at(static_cast<std::size_t>(index)));
  };
  return calendar;
}

}  // namespace

StatisticsWindow::StatisticsWindow(QWidget* owner, Practise practise)
    : QWidget(owner, Qt::Window), practise_(std::move(practise)) {
  setObjectName(QStringLiteral("StatisticsWindow"));
  setWindowTitle(T("学习统计"));
  QPalette colors = palette();
  colors.setColor(QPalette::Window, ToQColor(clBtnFace));
  setPalette(colors);
  setAutoFillBackground(true);
  setFont(SongFont(kLabelFontHeight));
  resize(kWidth, kHeight);

  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("Summary"));
  summary_->setFont(SongFont(kSummaryFontHeight));
  layout->addWidget(summary_);

  pages_ = new QStackedWidget(this);
  layout->addWidget(pages_, 1);

  // The sentence for an empty record: a short list, centred as a block.
  emptyPage_ = new QWidget(pages_);
  auto* emptyRows = new QVBoxLayout(emptyPage_);
  auto* emptyColumns = new QHBoxLayout();
  emptyRecordText_ = T("学习记录里还没有单词。玩过几局之后,这里会显示:\n"
                       "  · 每天已掌握和见过的单词数\n"
                       "  · 每局的速度和正确率\n"
                       "  · 今后 30 天每天要复习的单词数\n"
                       "  · 最难的十个单词,点一下就能练习它们\n"
                       "  · 最近一年每天的练习");
  // Rich text only for the room between the lines.
  QString lines = emptyRecordText_.toHtmlEscaped();
  lines.replace(QLatin1Char('\n'), QStringLiteral("<br>")).replace(QStringLiteral("  "), QStringLiteral("&nbsp;&nbsp;"));
  emptyRecord_ = new QLabel(QStringLiteral("<div style=\"line-height: 160%\">%1</div>").arg(lines), emptyPage_);
  emptyRecord_->setObjectName(QStringLiteral("EmptyRecord"));
  emptyRecord_->setTextFormat(Qt::RichText);
  emptyRecord_->setFont(SongFont(kSummaryFontHeight));
  emptyColumns->addStretch(1);
  emptyColumns->addWidget(emptyRecord_);
  emptyColumns->addStretch(1);
  emptyRows->addStretch(1);
  emptyRows->addLayout(emptyColumns);
  emptyRows->addStretch(2);
  pages_->addWidget(emptyPage_);

  plotsPage_ = new QWidget(pages_);
  QWidget* plots = plotsPage_;
  auto* grid = new QGridLayout(plots);
  grid->setContentsMargins(0, 0, 0, 0);
  known_ = new plot::ChartView(plots);
  speed_ = new plot::ChartView(plots);
  due_ = new plot::ChartView(plots);
  hardest_ = new plot::BarListView(plots);
  calendar_ = new plot::CalendarView(plots);
  practiseButton_ = new TSpeedButton(plots);
  practiseButton_->setObjectName(QStringLiteral("PractiseHardest"));
  practiseButton_->SetCaption(Utf8ToCodePage("练习这些单词"));
  practiseButton_->Font().SetName(texts::SongFace());
  practiseButton_->Font().SetHeight(kLabelFontHeight);
  practiseButton_->setFixedSize(120, 25);
  practiseButton_->OnClick = [this](QObject*) {
    if (practise_ && !hardestWords_.empty()) practise_(hardestWords_);
  };
  auto* hardestColumn = new QVBoxLayout();
  hardestColumn->addWidget(hardest_, 1);
  hardestColumn->addWidget(practiseButton_, 0, Qt::AlignRight);
  grid->addWidget(known_, 0, 0);
  grid->addWidget(speed_, 0, 1);
  grid->addWidget(due_, 1, 0);
  grid->addLayout(hardestColumn, 1, 1);
  grid->addWidget(calendar_, 2, 0, 1, 2);
  grid->setRowStretch(0, 3);
  grid->setRowStretch(1, 3);
  grid->setRowStretch(2, 2);
  pages_->addWidget(plots);
}

bool StatisticsWindow::ShowsEmptyRecord() const { return pages_->currentWidget() == emptyPage_; }

void StatisticsWindow::ShowFigures(const stats::Figures& figures) {
  summary_->setText(T(stats::SummaryLine(figures.summary)));
  hardestWords_ = figures.hardest;
  if (figures.Empty()) {
    pages_->setCurrentWidget(emptyPage_);
    return;
  }
  pages_->setCurrentWidget(plotsPage_);
  known_->SetChart(KnownOverTime(figures));
  speed_->SetChart(SpeedAndAccuracy(figures));
  due_->SetChart(DueAhead(figures));
  hardest_->SetBars(HardestBars(figures));
  calendar_->SetCalendar(CalendarOf(figures));
  practiseButton_->setVisible(!hardestWords_.empty());
}

void StatisticsWindow::Present() {
  if (!placed_ && parentWidget() != nullptr) {
    const QWidget& owner = *parentWidget()->window();
    QRect placed(QPoint(), frameGeometry().size());
    placed.moveCenter(owner.frameGeometry().center());
    if (const QScreen* screen = owner.screen()) {
      const QRect room = screen->availableGeometry();
      placed.moveLeft(std::clamp(placed.left(), room.left(), std::max(room.left(), room.right() - placed.width())));
      placed.moveTop(std::clamp(placed.top(), room.top(), std::max(room.top(), room.bottom() - placed.height())));
    }
    move(placed.topLeft());
  }
  placed_ = true;
  show();
  raise();
  activateWindow();
}

void StatisticsWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace zembrot::progress
