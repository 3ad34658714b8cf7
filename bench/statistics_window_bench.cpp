// Opening 学习统计 over a synthetic year of daily practice (36,500 reviews,
// bench/synthetic_record.h): from the menu command to the window painted,
// which should take at most 100 ms. The command has the record's thread
// write what it holds, read the log and work out the figures while the
// game's thread builds the window; then the window is filled and laid out,
// and grab() paints every plot.
//
// The first opening in the process is reported on its own (cold_ms: fonts
// and Qt's first layout of such a window); the benchmark's iterations each
// open a new window, as the first 学习统计 of a session does. The parts are
// timed apart too: reading the log, working out the figures, drawing.

#include <benchmark/benchmark.h>

#include <memory>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "app/main_window_layout.h"
#include "frame/application.h"
#include "frame/menu.h"
#include "game/form1.h"
#include "learning/learning_day.h"
#include "progress/learning_record.h"
#include "progress/record_place.h"
#include "progress/recording_log.h"
#include "progress/statistics_window.h"
#include "record/progress_store.h"
#include "stats/figures.h"
#include "synthetic_record.h"

namespace {

using zembrot::progress::StatisticsWindow;

// The scratch data folder with the synthetic year, made once.
struct SyntheticYear {
  SyntheticYear() {
    qputenv("XDG_DATA_HOME", folder.path().toUtf8());
    ready = zembrot::bench::WriteSyntheticYear(zembrot::progress::RecordPath(), QDateTime::currentMSecsSinceEpoch());
  }
  QTemporaryDir folder;
  bool ready = false;
};

SyntheticYear& Year() {
  static SyntheticYear year;
  return year;
}

std::int64_t Today() {
  const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
  return zembrot::learning::LearningDay(now, zembrot::progress::LocalOffsetSeconds(now));
}

// The main window with its learning record open (on the record's thread).
struct RecordingGame {
  RecordingGame() {
    zembrot::SetErrorReporter([](const std::exception&) {});  // no default list here
    form = zembrot::CreateMainWindow();
    zembrot::SetErrorReporter(nullptr);
    record = std::make_unique<zembrot::progress::LearningRecord>(*form, false);
  }
  std::unique_ptr<zembrot::TForm1> form;
  std::unique_ptr<zembrot::progress::LearningRecord> record;
};

double OpenOnce(RecordingGame& game) {
  QElapsedTimer clock;
  clock.start();
  game.record->StatisticsClick();
  auto* window = game.form->findChild<StatisticsWindow*>();
  if (window == nullptr) return -1;
  benchmark::DoNotOptimize(window->grab());
  const double milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  delete window;
  return milliseconds;
}

void BM_OpenStatisticsWindow(benchmark::State& state) {
  if (!Year().ready) {
    state.SkipWithError("no synthetic record");
    return;
  }
  RecordingGame game;
  if (!game.record->Recording()) {
    state.SkipWithError("the record did not open");
    return;
  }
  const double cold = OpenOnce(game);
  if (cold < 0) state.SkipWithError("no window opened");
  for (auto _ : state) {
    game.record->StatisticsClick();
    auto* window = game.form->findChild<StatisticsWindow*>();
    benchmark::DoNotOptimize(window->grab());
    state.PauseTiming();
    delete window;
    state.ResumeTiming();
  }
  state.counters["cold_ms"] = cold;
  state.counters["reviews"] = zembrot::bench::kSyntheticReviews;
}
BENCHMARK(BM_OpenStatisticsWindow)->Unit(benchmark::kMillisecond);

void BM_ReadLog(benchmark::State& state) {
  if (!Year().ready) {
    state.SkipWithError("no synthetic record");
    return;
  }
  zembrot::record::ProgressStore store;
  store.Open(zembrot::progress::RecordPath());
  std::size_t reviews = 0;
  for (auto _ : state) {
    const auto log = store.ReadLog();
    reviews = log ? log->reviews.size() : 0;
  }
  state.counters["reviews"] = static_cast<double>(reviews);
}
BENCHMARK(BM_ReadLog)->Unit(benchmark::kMillisecond);

void BM_ComputeFigures(benchmark::State& state) {
  if (!Year().ready) {
    state.SkipWithError("no synthetic record");
    return;
  }
  zembrot::record::ProgressStore store;
  store.Open(zembrot::progress::RecordPath());
  const auto log = store.ReadLog();
  const std::int64_t today = Today();
  for (auto _ : state) benchmark::DoNotOptimize(zembrot::stats::ComputeFigures(*log, today));
}
BENCHMARK(BM_ComputeFigures)->Unit(benchmark::kMillisecond);

void BM_DrawWindow(benchmark::State& state) {
  if (!Year().ready) {
    state.SkipWithError("no synthetic record");
    return;
  }
  zembrot::record::ProgressStore store;
  store.Open(zembrot::progress::RecordPath());
  const zembrot::stats::Figures figures = zembrot::stats::ComputeFigures(*store.ReadLog(), Today());
  StatisticsWindow window(nullptr, {});
  window.ShowFigures(figures);
  for (auto _ : state) benchmark::DoNotOptimize(window.grab());
}
BENCHMARK(BM_DrawWindow)->Unit(benchmark::kMillisecond);

}  // namespace
