// The learning record: opening it and reading 635 words (a large practice
// list) for the count of due words and today's review, which should take at
// most 5 ms (closing not counted); and one review written, at most 1 ms at
// the 99th percentile over 10,000 writes in one game.
//
// Each runs on two disks: the folder the benchmark runs in (the build
// folder: a real disk) and /dev/shm (tmpfs, memory only). The record is made
// once per disk and removed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "record/progress_store.h"

namespace {

using zembrot::record::OpenOutcome;
using zembrot::record::ProgressStore;
using zembrot::learning::Grade;
using zembrot::learning::Outcome;

constexpr int kWords = 635;
constexpr std::int32_t kBeijing = 28800;
constexpr std::int64_t kStart = 1717214400000;  // 2024-06-01 12:00 +08
constexpr std::int64_t kDay = 86400000;

// The disk a benchmark's argument names.
QString Base(int disk) { return disk == 0 ? QDir::currentPath() : QStringLiteral("/dev/shm"); }

const char* DiskName(int disk) { return disk == 0 ? "working folder" : "tmpfs"; }

// A record of 635 words, each reviewed on three days.
QString MakeRecord(const QTemporaryDir& folder) {
  const QString path = folder.path() + "/progress.sqlite3";
  ProgressStore store;
  store.Open(path);
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < kWords; ++i) {
      const bool recalled = (i + round) % 4 != 0;
      store.RecordReview(std::nullopt, "word" + std::to_string(i), "词语" + std::to_string(i),
                         recalled ? Outcome::Recalled : Outcome::Missed, recalled ? Grade::Good : Grade::Again,
                         {"chinese", 4000, 50, false, false}, kStart + round * 3 * kDay + i, kBeijing);
    }
  }
  return path;
}

void BM_OpenAndReadWords(benchmark::State& state) {
  const int disk = static_cast<int>(state.range(0));
  QTemporaryDir folder(Base(disk) + "/zembrot-bench-XXXXXX");
  const QString path = MakeRecord(folder);
  std::size_t due = 0;
  for (auto _ : state) {
    auto store = std::make_unique<ProgressStore>();
    if (store->Open(path).outcome != OpenOutcome::Opened) state.SkipWithError("cannot open the record");
    due = *store->DueCount(kStart + 30 * kDay, kBeijing);
    const auto review = store->TodaysReview(kStart + 30 * kDay, kBeijing);
    const auto words = store->Words();
    benchmark::DoNotOptimize(review);
    if (words->size() != kWords) state.SkipWithError("not every word read");
    // Closing (when the game ends) is not part of opening.
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.counters["due"] = static_cast<double>(due);
  state.SetLabel(DiskName(disk));
}
BENCHMARK(BM_OpenAndReadWords)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 10,000 reviews of the 635 words, each timed on its own.
void BM_RecordReview(benchmark::State& state) {
  const int disk = static_cast<int>(state.range(0));
  QTemporaryDir folder(Base(disk) + "/zembrot-bench-XXXXXX");
  const QString path = MakeRecord(folder);
  ProgressStore store;
  store.Open(path);
  const std::optional<std::int64_t> game = store.BeginGame("bench", kStart);
  std::vector<double> milliseconds;
  int n = 0;
  for (auto _ : state) {
    milliseconds.clear();
    for (int i = 0; i < 10000; ++i, ++n) {
      const bool recalled = n % 5 != 0;
      const std::string english = "word" + std::to_string(n % kWords);
      const std::string chinese = "词语" + std::to_string(n % kWords);
      const auto begin = std::chrono::steady_clock::now();
      const bool written =
          store.RecordReview(game, english, chinese, recalled ? Outcome::Recalled : Outcome::Missed,
                             recalled ? Grade::Good : Grade::Again, {"chinese", 4000, 50, false, false},
                             kStart + 10 * kDay + n * 1000LL, kBeijing);
      milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
      if (!written) state.SkipWithError("a review was not written");
    }
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  const auto at = [&](double share) {
    return milliseconds[static_cast<std::size_t>(share * static_cast<double>(milliseconds.size() - 1))];
  };
  state.counters["p50_ms"] = at(0.50);
  state.counters["p99_ms"] = at(0.99);
  state.counters["max_ms"] = milliseconds.back();
  state.SetLabel(DiskName(disk));
}
BENCHMARK(BM_RecordReview)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
