#include "progress/record_place.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "record/progress_store.h"

namespace zembrot::progress {

QString RecordFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zembrot");
}

QString RecordPath() { return RecordFolder() + QStringLiteral("/progress.sqlite3"); }

QString StoppedMarkPath() { return RecordFolder() + QStringLiteral("/progress.stopped"); }

bool RecordsThisStart(bool optIn) {
  if (optIn) return true;
  return record::ProgressStore::Exists(RecordPath()) && !QFileInfo::exists(StoppedMarkPath());
}

}  // namespace zembrot::progress
