// Writes a synthetic year of daily practice (bench/synthetic_record.h) as
// the learning record of the user's data folder, for trying 学习统计 by
// hand: XDG_DATA_HOME=/tmp/year make_synthetic_record && XDG_DATA_HOME=/tmp/year zembrot

#include <cstdio>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include "progress/record_place.h"
#include "synthetic_record.h"

int main(int argc, char** argv) {
  const QCoreApplication application(argc, argv);
  const QString path = zembrot::progress::RecordPath();
  if (QFile::exists(path)) {
    std::fprintf(stderr, "%s exists already; it is left as it is\n", QDir::toNativeSeparators(path).toUtf8().constData());
    return 1;
  }
  if (!zembrot::bench::WriteSyntheticYear(path, QDateTime::currentMSecsSinceEpoch())) return 1;
  std::printf("%d reviews over %d days written to %s\n", zembrot::bench::kSyntheticReviews,
              zembrot::bench::kSyntheticDays, QDir::toNativeSeparators(path).toUtf8().constData());
  return 0;
}
