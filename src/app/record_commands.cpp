#include "app/record_commands.h"

#include <cstdio>

#include <optional>

#include <QDateTime>
#include <QDir>
#include <QString>

#include "learning/learning_day.h"
#include "progress/record_place.h"
#include "progress/recording_log.h"
#include "record/progress_store.h"
#include "stats/figures.h"

namespace zembrot {

namespace {

int Fail(const std::string& message) {
  std::fputs(("zembrot: " + message + "\n").c_str(), stderr);
  return 1;
}

std::string Shown(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace

// Opens the record, or says why not: the exit code then, none once open.
std::optional<int> OpenRecord(record::ProgressStore& store) {
  const QString path = progress::RecordPath();
  // No record is no reason to make one.
  if (!record::ProgressStore::Exists(path)) {
    return Fail("no learning record at " + Shown(path) + " (start the game with --progress to keep one)");
  }
  const record::OpenResult opened = store.Open(path);
  if (opened.outcome == record::OpenOutcome::MovedAside) {
    return Fail("the learning record was damaged and has been moved to " + Shown(opened.moved_to));
  }
  if (!store.IsOpen()) return Fail("cannot open the learning record " + Shown(path) + ": " + opened.error.message);
  return std::nullopt;
}

int ExportReviews(const std::string& file) {
  record::ProgressStore store;
  if (const std::optional<int> failed = OpenRecord(store)) return *failed;
  const QString target = QString::fromLocal8Bit(file.c_str());
  if (!store.ExportReviewsCsv(target)) return Fail("cannot write " + file + ": " + store.LastError().message);
  const auto reviews = store.ReviewCount();
  std::printf("%lld reviews written to %s\n", static_cast<long long>(reviews.value_or(0)), file.c_str());
  return 0;
}

int PrintStatistics() {
  record::ProgressStore store;
  if (const std::optional<int> failed = OpenRecord(store)) return *failed;
  const std::optional<stats::ReviewLog> log = store.ReadLog();
  if (!log) return Fail("cannot read the learning record: " + store.LastError().message);
  const std::int64_t now_ms = QDateTime::currentMSecsSinceEpoch();
  const stats::Figures figures =
      stats::ComputeFigures(*log, learning::LearningDay(now_ms, progress::LocalOffsetSeconds(now_ms)));
  std::fputs((stats::SummaryLine(figures.summary) + "\n").c_str(), stdout);
  return 0;
}

}  // namespace zembrot
