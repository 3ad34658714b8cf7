// Opening the record: making it, bringing it up to date, and every file that
// is not a record of ours, which is moved aside or left alone but never
// overwritten.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "record/progress_store.h"
#include "record_test_support.h"

namespace zembrot::record {
namespace {

using testing::AsOrdinaryUser;
using testing::ReadBytes;
using testing::Sql;
using testing::WriteBytes;

std::vector<std::string> FilesIn(const QString& folder) {
  std::vector<std::string> names;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
    names.push_back(name.toStdString());
  }
  return names;
}

// A record of ours, closed, at <folder>/progress.sqlite3 with `reviews` reviews.
QString NewRecord(const QString& folder, int reviews = 1) {
  const QString path = folder + "/progress.sqlite3";
  ProgressStore store;
  store.Open(path);
  for (int i = 0; i < reviews; ++i) {
    store.RecordReview(std::nullopt, "word" + std::to_string(i), "词", learning::Outcome::Recalled,
                       learning::Grade::Good, {"chinese", 1000, 50, false, false}, 1717200000000 + i, 28800);
  }
  return path;
}

// The bytes of the SQLite file at `path` once `statements` have run on it;
// the file is deleted.
std::string BytesAfter(const QString& path, const std::vector<std::string>& statements) {
  Sql(path, statements);
  const std::string bytes = ReadBytes(path);
  ProgressStore::Delete(path);
  return bytes;
}

// Page 3 of a 4096-byte-page record (a b-tree page of a table or index)
// overwritten with rubbish.
std::string WithRubbishOnPage3(std::string bytes) {
  if (bytes.size() <= 3 * 4096) ADD_FAILURE() << "the record is too small to damage";
  for (std::size_t i = 2 * 4096; i < 3 * 4096 && i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  return bytes;
}

TEST(OpenRecord, MakesTheRecordFromNothingOrAnEmptyFile) {
  for (const bool empty_file : {false, true}) {
    SCOPED_TRACE(empty_file ? "an empty file" : "no file, no folder");
    QTemporaryDir folder;
    const QString path = folder.path() + "/data/zembrot/progress.sqlite3";
    if (empty_file) {
      QDir().mkpath(folder.path() + "/data/zembrot");
      WriteBytes(path, "");
    }
    ProgressStore store;
    const OpenResult result = store.Open(path);
    EXPECT_EQ(result.outcome, OpenOutcome::Created) << result.error.message;
    EXPECT_TRUE(store.IsOpen());
    store.Close();
    EXPECT_EQ(Sql(path, {"PRAGMA user_version"}), std::vector<std::string>{"1"});
    EXPECT_EQ(Sql(path, {"PRAGMA journal_mode"}), std::vector<std::string>{"wal"});
    // The tables and columns outside tools read, by name.
    EXPECT_EQ(Sql(path, {"SELECT name, (SELECT group_concat(name, ' ') FROM"
                         " (SELECT name FROM pragma_table_info(m.name) ORDER BY cid))"
                         " FROM sqlite_master m WHERE type = 'table' ORDER BY name"}),
              (std::vector<std::string>{
                  "game|id list started_ms ended_ms",
                  "review|id at_ms word_id game_id outcome grade shown on_field_ms fall_interval_ms hint_ticked"
                  " whole_line utc_offset day",
                  "word|id english chinese stability difficulty last_review_day due_day reviews recalls misses"}));
    EXPECT_EQ(store.Open(path).outcome, OpenOutcome::Opened);
  }
}

// Another window holds the write lock of a new file for a moment. SQLite
// answers the switch to WAL with "busy" at once there, whatever the busy
// timeout; the open waits for the lock to be released instead of giving up.
TEST(OpenRecord, WaitsForAnotherWindowThatHoldsTheNewFileForAMoment) {
  QTemporaryDir folder;
  const QString path = folder.path() + "/progress.sqlite3";
  WriteBytes(path, "");
  std::promise<bool> holding;
  std::thread other([&] {
    {
      QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-window"));
      database.setDatabaseName(path);
      const bool held = database.open() && QSqlQuery(database).exec(QStringLiteral("BEGIN IMMEDIATE"));
      holding.set_value(held);
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other-window"));
  });
  ASSERT_TRUE(holding.get_future().get());
  ProgressStore store;
  const OpenResult result = store.Open(path);
  other.join();
  EXPECT_EQ(result.outcome, OpenOutcome::Created) << result.error.message;
}

TEST(OpenRecord, MovesAsideWhatIsNoRecordOfOursAndKeepsItsBytes) {
  QTemporaryDir scratch;
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a text file", "english,chinese\r\ncat,猫\r\n"},
      {"an SQLite header and then rubbish", std::string("SQLite format 3\0", 16) + std::string(4080, '\x17')},
      {"someone else's tables", BytesAfter(scratch.path() + "/notes.sqlite3",
                                           {"CREATE TABLE notes(id INTEGER, text TEXT)",
                                            "INSERT INTO notes VALUES(1, 'keep me')"})},
      {"our tables and one more", BytesAfter(NewRecord(scratch.path()), {"CREATE TABLE extra(x)"})},
      {"version 1 without the review table", BytesAfter(NewRecord(scratch.path()), {"DROP TABLE review"})},
      {"a record with a damaged page",
       WithRubbishOnPage3(BytesAfter(NewRecord(scratch.path(), 300), {"PRAGMA wal_checkpoint(TRUNCATE)"}))},
  };
  // All in one folder, one after another: a name moved aside to is never
  // taken again, nor are the bytes moved there overwritten.
  QTemporaryDir folder;
  const QString path = folder.path() + "/progress.sqlite3";
  std::vector<QString> moved;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(path, c.bytes);
    ProgressStore store;
    const OpenResult result = store.Open(path);
    EXPECT_EQ(result.outcome, OpenOutcome::MovedAside) << result.error.message;
    EXPECT_EQ(result.error.kind, ErrorKind::Damaged);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_TRUE(result.moved_to.startsWith(path + ".damaged-")) << result.moved_to.toStdString();
    moved.push_back(result.moved_to);
    // Nothing is left under the record's name (its companions go along).
    for (const std::string& name : FilesIn(folder.path())) {
      EXPECT_TRUE(QString::fromStdString(name).startsWith("progress.sqlite3.damaged-")) << name;
    }
    // The next start makes a new record.
    EXPECT_EQ(store.Open(path).outcome, OpenOutcome::Created);
  }
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_TRUE(ReadBytes(moved[i]) == cases[i].bytes) << "the bytes moved aside differ: " << cases[i].what;
  }
}

TEST(OpenRecord, DeleteRemovesTheRecordAndItsCompanionsOnly) {
  QTemporaryDir folder;
  const QString path = NewRecord(folder.path());
  for (const char* suffix : {"-wal", "-shm", "-journal"}) WriteBytes(path + suffix, "left over");
  WriteBytes(folder.path() + "/other.txt", "not ours");
  EXPECT_FALSE(ProgressStore::Delete(path));
  EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"other.txt"});
  EXPECT_FALSE(ProgressStore::Delete(path)) << "deleting what is gone is no error";
}

// A record of a newer program, or nothing that can be written: the store
// says so, opens nothing and leaves every file as it was.
TEST(OpenRecord, LeavesAsItWasWhatItMayNotOrCannotWrite) {
  enum Lock { kNothing, kFolder, kRecord };
  const struct {
    const char* what;
    const char* name;  // the record's path in the folder
    int version;       // of the record of ours there; 0: none
    Lock lock;
    mode_t mode;
    OpenOutcome outcome;
    ErrorKind kind;
  } cases[] = {
      {"a newer program's record", "progress.sqlite3", 2, kNothing, 0, OpenOutcome::NewerVersion, ErrorKind::Other},
      {"a read-only folder", "progress.sqlite3", 0, kFolder, 0555, OpenOutcome::Unavailable, ErrorKind::ReadOnly},
      {"a read-only folder above a missing one", "zembrot/progress.sqlite3", 0, kFolder, 0555, OpenOutcome::Unavailable,
       ErrorKind::ReadOnly},
      {"a read-only record", "progress.sqlite3", 1, kRecord, 0444, OpenOutcome::Unavailable, ErrorKind::ReadOnly},
      {"a record in a read-only folder", "progress.sqlite3", 1, kFolder, 0555, OpenOutcome::Unavailable,
       ErrorKind::ReadOnly},
      {"an unreadable record", "progress.sqlite3", 1, kRecord, 0, OpenOutcome::Unavailable, ErrorKind::ReadOnly},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Root ignores permissions: the scenario runs as an ordinary user.
    const std::string failure = AsOrdinaryUser([&]() -> std::string {
      QTemporaryDir scratch;
      const QString folder = scratch.path() + "/data";
      QDir().mkpath(folder);
      const QString path = folder + "/" + c.name;
      if (c.version > 0) Sql(NewRecord(folder), {"PRAGMA user_version = " + std::to_string(c.version)});
      if (c.lock != kNothing) chmod((c.lock == kFolder ? folder : path).toLocal8Bit().constData(), c.mode);
      const std::vector<std::string> files = FilesIn(folder);
      const std::string bytes = ReadBytes(path);
      ProgressStore store;
      const OpenResult result = store.Open(path);
      std::string message;
      if (result.outcome != c.outcome) message += "another outcome; ";
      if (result.error.kind != c.kind) message += "another error: " + result.error.message + "; ";
      if (store.IsOpen()) message += "open; ";
      if (store.RecordReview(std::nullopt, "cat", "猫", learning::Outcome::Missed, learning::Grade::Again, {}, 0, 0) ||
          store.ReadLog() || store.LastError().kind != ErrorKind::NotOpen) {
        message += "a review or the log was not refused; ";
      }
      if (FilesIn(folder) != files) message += "the files changed; ";
      if (ReadBytes(path) != bytes) message += "the record changed; ";
      chmod(folder.toLocal8Bit().constData(), 0755);
      return message;
    });
    EXPECT_EQ(failure, "");
  }
}

}  // namespace
}  // namespace zembrot::record
