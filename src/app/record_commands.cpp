#include "app/record_commands.h"

#include <cstdio>

#include <QDir>
#include <QString>

#include "progress/record_place.h"
#include "record/progress_store.h"

namespace zembrot {

namespace {

int Fail(const std::string& message) {
  std::fputs(("zembrot: " + message + "\n").c_str(), stderr);
  return 1;
}

std::string Shown(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace

int ExportReviews(const std::string& file) {
  const QString path = progress::RecordPath();
  // No record is no reason to make one.
  if (!record::ProgressStore::Exists(path)) return Fail("no learning record at " + Shown(path));
  record::ProgressStore store;
  const record::OpenResult opened = store.Open(path);
  if (opened.outcome == record::OpenOutcome::MovedAside) {
    return Fail("the learning record was damaged and has been moved to " + Shown(opened.moved_to));
  }
  if (!store.IsOpen()) return Fail("cannot open the learning record " + Shown(path) + ": " + opened.error.message);
  const QString target = QString::fromLocal8Bit(file.c_str());
  if (!store.ExportReviewsCsv(target)) return Fail("cannot write " + file + ": " + store.LastError().message);
  const auto reviews = store.ReviewCount();
  std::printf("%lld reviews written to %s\n", static_cast<long long>(reviews.value_or(0)), file.c_str());
  return 0;
}

}  // namespace zembrot
