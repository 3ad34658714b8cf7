// Opening the record: making it, bringing it up to date, and every file that
// is not a record of ours, which is moved aside or left alone but never
// overwritten.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "record/progress_store.h"
#include "record_test_support.h"

namespace zembrot::record {
namespace {

using testing::AsOrdinaryUser;
using testing::ReadBytes;
using testing::Sql;
using testing::WriteBytes;

// The tables and columns outside tools read, by name.
const std::vector<std::string> kSchema = {
    "game|id", "game|list", "game|started_ms", "game|ended_ms",
    "review|id", "review|at_ms", "review|word_id", "review|game_id", "review|outcome", "review|grade",
    "review|shown", "review|on_field_ms", "review|fall_interval_ms", "review|hint_ticked", "review|whole_line",
    "review|utc_offset", "review|day",
    "word|id", "word|english", "word|chinese", "word|stability", "word|difficulty", "word|last_review_day",
    "word|due_day", "word|reviews", "word|recalls", "word|misses",
};

std::vector<std::string> SchemaOf(const QString& path) {
  return Sql(path, {"SELECT m.name, p.name FROM sqlite_master m, pragma_table_info(m.name) p"
                    " WHERE m.type = 'table' ORDER BY m.name, p.cid"});
}

std::vector<std::string> FilesIn(const QString& folder) {
  std::vector<std::string> names;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
    names.push_back(name.toStdString());
  }
  return names;
}

// A small SQLite file of someone else's.
std::string ForeignDatabase(const QString& folder, const std::vector<std::string>& statements) {
  const QString path = folder + "/foreign.sqlite3";
  Sql(path, statements);
  const std::string bytes = ReadBytes(path);
  QFile::remove(path);
  return bytes;
}

TEST(OpenRecord, MakesTheRecordFromNothingOrAnEmptyFile) {
  const struct {
    const char* what;
    bool make_file;
    std::vector<std::string> before;  // statements run on the file first
  } cases[] = {
      {"no file, no folder", false, {}},
      {"an empty file", true, {}},
      {"an SQLite file without tables", false, {"PRAGMA user_version = 0", "VACUUM"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir folder;
    const QString path = folder.path() + "/data/zembrot/progress.sqlite3";
    if (c.make_file || !c.before.empty()) {
      QDir().mkpath(folder.path() + "/data/zembrot");
      WriteBytes(path, "");
      if (!c.before.empty()) Sql(path, c.before);
    }
    ProgressStore store;
    const OpenResult result = store.Open(path);
    EXPECT_EQ(result.outcome, OpenOutcome::Created) << result.error.message;
    EXPECT_TRUE(store.IsOpen());
    store.Close();
    EXPECT_EQ(Sql(path, {"PRAGMA user_version"}), std::vector<std::string>{"1"});
    EXPECT_EQ(Sql(path, {"PRAGMA journal_mode"}), std::vector<std::string>{"wal"});
    EXPECT_EQ(SchemaOf(path), kSchema);
    ProgressStore again;
    EXPECT_EQ(again.Open(path).outcome, OpenOutcome::Opened);
  }
}

TEST(OpenRecord, LeavesAFileOfANewerProgramUntouched) {
  const struct {
    const char* journal_mode;
  } cases[] = {{"WAL"}, {"DELETE"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.journal_mode);
    QTemporaryDir folder;
    const QString path = folder.path() + "/progress.sqlite3";
    {
      ProgressStore store;
      ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Created);
      ASSERT_TRUE(store.RecordReview(std::nullopt, "cat", "猫", learning::Outcome::Recalled, learning::Grade::Good,
                                     {}, 1717200000000, 28800));
    }
    Sql(path, {"PRAGMA user_version = 2", std::string("PRAGMA journal_mode = ") + c.journal_mode});
    const std::string bytes = ReadBytes(path);
    const std::vector<std::string> files = FilesIn(folder.path());

    ProgressStore store;
    const OpenResult result = store.Open(path);
    EXPECT_EQ(result.outcome, OpenOutcome::NewerVersion);
    EXPECT_EQ(result.found_version, 2);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(store.RecordReview(std::nullopt, "dog", "狗", learning::Outcome::Missed, learning::Grade::Again, {},
                                    1717200000000, 28800));
    EXPECT_EQ(store.LastError().kind, ErrorKind::NotOpen);
    EXPECT_TRUE(ReadBytes(path) == bytes) << "the record changed";
    EXPECT_EQ(FilesIn(folder.path()), files);
  }
}

TEST(OpenRecord, MovesAsideWhatIsNoRecordOfOursAndKeepsItsBytes) {
  QTemporaryDir scratch;
  const std::string sqlite_header("SQLite format 3\0", 16);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a text file", "english,chinese\r\ncat,猫\r\n"},
      {"random bytes", std::string(5000, '\x9c')},
      {"an SQLite header and then rubbish", sqlite_header + std::string(4080, '\x17')},
      {"someone else's tables", ForeignDatabase(scratch.path(), {"CREATE TABLE notes(id INTEGER, text TEXT)",
                                                                 "INSERT INTO notes VALUES(1, 'keep me')"})},
      {"our tables and one more", ForeignDatabase(scratch.path(), {"CREATE TABLE word(id, english, chinese,"
                                                                   " stability, difficulty, last_review_day, due_day,"
                                                                   " reviews, recalls, misses)",
                                                                   "CREATE TABLE game(id, list, started_ms, ended_ms)",
                                                                   "CREATE TABLE review(id, at_ms, word_id, game_id,"
                                                                   " outcome, grade, shown, on_field_ms,"
                                                                   " fall_interval_ms, hint_ticked, whole_line,"
                                                                   " utc_offset, day)",
                                                                   "CREATE TABLE extra(x)", "PRAGMA user_version = 1"})},
      {"version 1 without the review table",
       ForeignDatabase(scratch.path(), {"CREATE TABLE word(id, english, chinese, stability, difficulty,"
                                        " last_review_day, due_day, reviews, recalls, misses)",
                                        "CREATE TABLE game(id, list, started_ms, ended_ms)",
                                        "PRAGMA user_version = 1"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir folder;
    const QString path = folder.path() + "/progress.sqlite3";
    WriteBytes(path, c.bytes);
    ProgressStore store;
    const OpenResult result = store.Open(path);
    EXPECT_EQ(result.outcome, OpenOutcome::MovedAside) << result.error.message;
    EXPECT_EQ(result.error.kind, ErrorKind::Damaged);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(result.moved_to.startsWith(path + ".damaged-")) << result.moved_to.toStdString();
    EXPECT_TRUE(ReadBytes(result.moved_to) == c.bytes) << "the bytes moved aside differ";
    EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{QFileInfo(result.moved_to).fileName().toStdString()});
    // The next start makes a new record.
    EXPECT_EQ(store.Open(path).outcome, OpenOutcome::Created);
  }
}

TEST(OpenRecord, MovesAsideARecordWithADamagedPage) {
  QTemporaryDir folder;
  const QString path = folder.path() + "/progress.sqlite3";
  {
    ProgressStore store;
    ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Created);
    for (int i = 0; i < 300; ++i) {
      ASSERT_TRUE(store.RecordReview(std::nullopt, "word" + std::to_string(i), "词", learning::Outcome::Recalled,
                                     learning::Grade::Good, {"chinese", 1000, 50, false, false}, 1717200000000 + i,
                                     28800));
    }
  }
  Sql(path, {"PRAGMA wal_checkpoint(TRUNCATE)"});
  std::string bytes = ReadBytes(path);
  ASSERT_GT(bytes.size(), 4096u * 4);
  // Page 3 (a b-tree page of a table or index) overwritten with rubbish.
  for (std::size_t i = 2 * 4096; i < 3 * 4096; ++i) bytes[i] = static_cast<char>(i * 7);
  WriteBytes(path, bytes);

  ProgressStore store;
  const OpenResult result = store.Open(path);
  EXPECT_EQ(result.outcome, OpenOutcome::MovedAside) << result.error.message;
  EXPECT_TRUE(ReadBytes(result.moved_to) == bytes) << "the bytes moved aside differ";
}

TEST(OpenRecord, AMovedAsideNameIsNeverTakenTwice) {
  QTemporaryDir folder;
  const QString path = folder.path() + "/progress.sqlite3";
  std::vector<QString> moved;
  for (int i = 0; i < 3; ++i) {
    WriteBytes(path, "not a record " + std::to_string(i));
    ProgressStore store;
    const OpenResult result = store.Open(path);
    ASSERT_EQ(result.outcome, OpenOutcome::MovedAside);
    moved.push_back(result.moved_to);
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadBytes(moved[static_cast<std::size_t>(i)]), "not a record " + std::to_string(i));
}

TEST(OpenRecord, ExistsLooksAndTouchesNothing) {
  QTemporaryDir folder;
  const QString path = folder.path() + "/zembrot/progress.sqlite3";
  EXPECT_FALSE(ProgressStore::Exists(path));
  EXPECT_FALSE(QFileInfo::exists(folder.path() + "/zembrot"));
  {
    ProgressStore store;
    ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Created);
  }
  EXPECT_TRUE(ProgressStore::Exists(path));
}

TEST(OpenRecord, DeleteRemovesTheFileAndItsCompanions) {
  QTemporaryDir folder;
  const QString path = folder.path() + "/progress.sqlite3";
  ProgressStore store;
  ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Created);
  ASSERT_TRUE(store.RecordReview(std::nullopt, "cat", "猫", learning::Outcome::Missed, learning::Grade::Again, {},
                                 1717200000000, 28800));
  store.Close();
  WriteBytes(path + "-wal", "left over");
  WriteBytes(path + "-shm", "left over");
  WriteBytes(folder.path() + "/other.txt", "not ours");
  EXPECT_FALSE(ProgressStore::Delete(path));
  EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"other.txt"});
  EXPECT_FALSE(ProgressStore::Delete(path)) << "deleting what is gone is no error";
}

// Nothing can be written: the store says so and leaves everything as it was.
TEST(OpenRecord, UnavailableWhereNothingCanBeWritten) {
  const struct {
    const char* what;
    // Sets up the folder; returns the record's path.
    std::function<QString(const QString&)> prepare;
  } cases[] = {
      {"the folder's place is taken by a file",
       [](const QString& folder) {
         WriteBytes(folder + "/zembrot", "a file");
         return folder + "/zembrot/progress.sqlite3";
       }},
      {"a read-only folder",
       [](const QString& folder) {
         chmod(folder.toLocal8Bit().constData(), 0555);
         return folder + "/progress.sqlite3";
       }},
      {"a read-only folder above a missing one",
       [](const QString& folder) {
         chmod(folder.toLocal8Bit().constData(), 0555);
         return folder + "/zembrot/progress.sqlite3";
       }},
      {"a read-only record",
       [](const QString& folder) {
         const QString path = folder + "/progress.sqlite3";
         ProgressStore store;
         store.Open(path);
         store.RecordReview(std::nullopt, "cat", "猫", learning::Outcome::Recalled, learning::Grade::Good, {},
                            1717200000000, 28800);
         store.Close();
         chmod(path.toLocal8Bit().constData(), 0444);
         return path;
       }},
      {"a record in a read-only folder",
       [](const QString& folder) {
         const QString path = folder + "/progress.sqlite3";
         ProgressStore store;
         store.Open(path);
         store.Close();
         chmod(folder.toLocal8Bit().constData(), 0555);
         return path;
       }},
      {"an unreadable record",
       [](const QString& folder) {
         const QString path = folder + "/progress.sqlite3";
         ProgressStore store;
         store.Open(path);
         store.Close();
         chmod(path.toLocal8Bit().constData(), 0);
         return path;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string failure = AsOrdinaryUser([&]() -> std::string {
      QTemporaryDir scratch;
      const QString folder = scratch.path() + "/data";
      QDir().mkpath(folder);
      const QString path = c.prepare(folder);
      const std::vector<std::string> files = FilesIn(folder);
      const std::string bytes = ReadBytes(path);
      ProgressStore store;
      const OpenResult result = store.Open(path);
      std::string message;
      if (result.outcome != OpenOutcome::Unavailable) message += "not unavailable; ";
      if (result.error.kind != ErrorKind::ReadOnly) message += "not a read-only error: " + result.error.message + "; ";
      if (store.IsOpen()) message += "open; ";
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
