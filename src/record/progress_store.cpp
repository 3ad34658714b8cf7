#include "record/progress_store.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <thread>
#include <unordered_map>
#include <utility>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTimeZone>
#include <QVariant>

#include "base/code_page.h"
#include "base/convert.h"
#include "learning/learning_day.h"
#include "record/csv.h"
#include "record/schema.h"

namespace zembrot::record {

namespace {

// Long enough for another window's review or export to finish.
constexpr int kBusyTimeoutMs = 5000;

// The files SQLite keeps beside a database.
const char* const kCompanionSuffixes[] = {"-wal", "-shm", "-journal"};

// SQLite's primary result codes, which Qt reports as the native error code.
ErrorKind Classify(const QSqlError& error) {
  bool ok = false;
  const int code = error.nativeErrorCode().toInt(&ok);
  if (!ok) return ErrorKind::Other;
  switch (code & 0xFF) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
      return ErrorKind::Busy;
    case 3:   // SQLITE_PERM
    case 8:   // SQLITE_READONLY
    case 14:  // SQLITE_CANTOPEN
      return ErrorKind::ReadOnly;
    case 13:  // SQLITE_FULL
      return ErrorKind::DiskFull;
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
      return ErrorKind::Damaged;
    case 19:  // SQLITE_CONSTRAINT
      return ErrorKind::BadInput;
    default:
      return ErrorKind::Other;
  }
}

StoreError ErrorOf(const QSqlError& error) { return {Classify(error), error.text().toStdString()}; }

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::string Utf8(const QVariant& value) { return value.toString().toStdString(); }

QVariant Int64(std::int64_t value) { return QVariant(static_cast<qint64>(value)); }

QString UniqueConnectionName() {
  static std::atomic<unsigned long long> counter{0};
  return QStringLiteral("zembrot-progress-%1").arg(++counter);
}

// A time as the learner's clock showed it, for the export.
std::string LocalTime(std::int64_t at_ms, std::int32_t utc_offset_seconds) {
  return QDateTime::fromMSecsSinceEpoch(at_ms, QTimeZone(utc_offset_seconds))
      .toString(Qt::ISODateWithMs)
      .toStdString();
}

// A database connection of its own; removed from Qt's list when dropped.
class Database {
 public:
  Database(const QString& path, bool read_only) : name_(UniqueConnectionName()) {
    database_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    database_.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (read_only) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    database_.setConnectOptions(options);
  }
  ~Database() {
    database_.close();
    database_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
  }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  QSqlDatabase& Get() { return database_; }

 private:
  QString name_;
  QSqlDatabase database_;
};

// What a look at an existing file, without writing, found.
enum class Finding { Record, Empty, Foreign, Damaged, Newer, Unreadable };

struct Inspection {
  Finding finding = Finding::Unreadable;
  int version = 0;
  StoreError error;
};

std::optional<int> UserVersion(QSqlDatabase& database, StoreError& error) {
  QSqlQuery query(database);
  if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
    error = ErrorOf(query.lastError());
    return std::nullopt;
  }
  return query.value(0).toInt();
}

// Names of the tables, SQLite's own left out.
std::optional<std::set<std::string>> TableNames(QSqlDatabase& database, StoreError& error) {
  QSqlQuery query(database);
  if (!query.exec(QStringLiteral(
          "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"))) {
    error = ErrorOf(query.lastError());
    return std::nullopt;
  }
  std::set<std::string> names;
  while (query.next()) names.insert(Utf8(query.value(0)));
  return names;
}

// Our tables, each with its columns, and nothing else.
std::optional<bool> HasOurSchema(QSqlDatabase& database, int version, StoreError& error) {
  const std::optional<std::set<std::string>> names = TableNames(database, error);
  if (!names) return std::nullopt;
  const std::vector<schema::Table> expected = schema::ExpectedTables(version);
  if (names->size() != expected.size()) return false;
  for (const schema::Table& table : expected) {
    if (names->count(table.name) == 0) return false;
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Text(table.name)))) {
      error = ErrorOf(query.lastError());
      return std::nullopt;
    }
    std::set<std::string> columns;
    while (query.next()) columns.insert(Utf8(query.value(1)));
    for (const std::string& column : table.columns) {
      if (columns.count(column) == 0) return false;
    }
  }
  return true;
}

// What the first 100 bytes of a file say, read without SQLite (which would
// make -wal and -shm files beside a WAL-mode file it only reads).
struct Header {
  bool readable = false;
  bool sqlite = false;  // an empty file, or SQLite's magic text and a sound header
  int version = 0;      // the user version stored in the header
};

Header PeekHeader(const QString& path) {
  Header header;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return header;
  const QByteArray bytes = file.read(100);
  header.readable = true;
  if (bytes.isEmpty()) {
    header.sqlite = true;
    return header;
  }
  static const QByteArray kMagic("SQLite format 3\0", 16);
  if (bytes.size() < 100 || !bytes.startsWith(kMagic)) return header;
  const auto byte = [&](int i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
  // A page size that is a power of two from 512 to 65536 (stored as 1), and
  // the payload fractions every SQLite file has.
  const unsigned page_size = byte(16) << 8 | byte(17);
  const bool page_size_sound = page_size == 1 || (page_size >= 512 && (page_size & (page_size - 1)) == 0);
  if (!page_size_sound || byte(21) != 64 || byte(22) != 32 || byte(23) != 32) return header;
  header.sqlite = true;
  header.version = static_cast<int>(byte(60) << 24 | byte(61) << 16 | byte(62) << 8 | byte(63));
  return header;
}

Inspection Inspect(const QString& path) {
  Inspection result;
  Database connection(path, /*read_only=*/true);
  QSqlDatabase& database = connection.Get();
  const auto failed = [&](const StoreError& error) {
    result.error = error;
    result.finding = error.kind == ErrorKind::Damaged ? Finding::Damaged : Finding::Unreadable;
    return result;
  };
  if (!database.open()) return failed(ErrorOf(database.lastError()));
  // One read transaction: every look sees the same state of a file that
  // another window may be making right now.
  QSqlQuery transaction(database);
  if (!transaction.exec(QStringLiteral("BEGIN"))) return failed(ErrorOf(transaction.lastError()));
  const std::optional<int> version = UserVersion(database, result.error);
  if (!version) return failed(result.error);
  result.version = *version;
  if (*version > kSchemaVersion) {
    result.finding = Finding::Newer;
    result.error = {ErrorKind::Other, "written by a newer program (schema version " + std::to_string(*version) + ")"};
    return result;
  }
  if (*version == 0) {
    const std::optional<std::set<std::string>> names = TableNames(database, result.error);
    if (!names) return failed(result.error);
    result.finding = names->empty() ? Finding::Empty : Finding::Foreign;
    if (!names->empty()) result.error = {ErrorKind::Damaged, "other tables than a learning record's"};
    return result;
  }
  const std::optional<bool> ours = HasOurSchema(database, *version, result.error);
  if (!ours) return failed(result.error);
  if (!*ours) {
    result.finding = Finding::Foreign;
    result.error = {ErrorKind::Damaged, "not the tables of a learning record"};
    return result;
  }
  QSqlQuery check(database);
  if (!check.exec(QStringLiteral("PRAGMA quick_check"))) return failed(ErrorOf(check.lastError()));
  if (!check.next()) return failed({ErrorKind::Damaged, "the integrity check said nothing"});
  const std::string verdict = Utf8(check.value(0));
  if (verdict != "ok") {
    result.finding = Finding::Damaged;
    result.error = {ErrorKind::Damaged, verdict};
    return result;
  }
  result.finding = Finding::Record;
  return result;
}

// Renames the file and its companions to "<path>.damaged-<local time>" (with
// a number added if that is taken). Never overwrites anything.
std::optional<QString> MoveAside(const QString& path, StoreError& error) {
  const QString stem =
      path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  const auto taken = [](const QString& name) {
    if (QFileInfo::exists(name)) return true;
    for (const char* suffix : kCompanionSuffixes) {
      if (QFileInfo::exists(name + QLatin1String(suffix))) return true;
    }
    return false;
  };
  QString target = stem;
  for (int n = 2; taken(target); ++n) target = stem + QStringLiteral("-%1").arg(n);
  QFile file(path);
  if (!file.rename(target)) {
    error = {ErrorKind::ReadOnly, "cannot move the damaged record aside: " + file.errorString().toStdString()};
    return std::nullopt;
  }
  for (const char* suffix : kCompanionSuffixes) {
    const QString companion = path + QLatin1String(suffix);
    if (QFileInfo::exists(companion)) QFile::rename(companion, target + QLatin1String(suffix));
  }
  return target;
}

learning::WordProgress ProgressFrom(const QSqlQuery& query, int first) {
  learning::WordProgress progress;
  if (!query.isNull(first)) {
    progress.memory = learning::MemoryState{query.value(first).toDouble(), query.value(first + 1).toDouble()};
    progress.last_review_day = query.value(first + 2).toLongLong();
    progress.due_day = query.value(first + 3).toLongLong();
  }
  progress.reviews = query.value(first + 4).toInt();
  progress.recalls = query.value(first + 5).toInt();
  progress.misses = query.value(first + 6).toInt();
  return progress;
}

// The columns ProgressFrom reads, in its order.
const std::string kProgressColumns = "stability, difficulty, last_review_day, due_day, reviews, recalls, misses";

// What making the file ready for writing, under the write lock, found.
enum class Readiness { Ready, Foreign, Newer, Failed };

// Switches the file to WAL and brings its schema up to date. Another window
// may be making or migrating the same file: the version is read again while
// holding the write lock.
Readiness MakeReady(QSqlDatabase& database, int& version, StoreError& error) {
  QSqlQuery statement(database);
  const auto failed = [&](const QSqlError& failure) {
    error = ErrorOf(failure);
    return Readiness::Failed;
  };
  // WAL lets readers and one writer work at once; with it, synchronous
  // NORMAL loses no committed review to a crash of the program.
  if (!statement.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !statement.next()) {
    return failed(statement.lastError());
  }
  if (statement.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
    error = {ErrorKind::ReadOnly, "cannot switch the record to WAL journal mode"};
    return Readiness::Failed;
  }
  // Copying the WAL back into the file (a checkpoint) waits for the disk;
  // EndGame does it between games, and this limit (40 MB of pages) only
  // keeps a very long session's WAL from growing without end.
  for (const char* pragma :
       {"PRAGMA synchronous = NORMAL", "PRAGMA foreign_keys = ON", "PRAGMA wal_autocheckpoint = 10000"}) {
    if (!statement.exec(QString::fromLatin1(pragma))) return failed(statement.lastError());
  }

  if (!statement.exec(QStringLiteral("BEGIN IMMEDIATE"))) return failed(statement.lastError());
  const auto rollback = [&](Readiness readiness) {
    QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
    return readiness;
  };
  const std::optional<int> found = UserVersion(database, error);
  if (!found) return rollback(Readiness::Failed);
  version = *found;
  if (version > kSchemaVersion) return rollback(Readiness::Newer);
  if (version == 0) {
    const std::optional<std::set<std::string>> names = TableNames(database, error);
    if (!names) return rollback(Readiness::Failed);
    if (!names->empty()) {
      error = {ErrorKind::Damaged, "other tables than a learning record's"};
      return rollback(Readiness::Foreign);
    }
  }
  for (int step = version; step < kSchemaVersion; ++step) {
    for (const std::string& sql : schema::MigrationStep(step)) {
      if (!statement.exec(Text(sql))) {
        error = ErrorOf(statement.lastError());
        return rollback(Readiness::Failed);
      }
    }
  }
  if (version < kSchemaVersion &&
      !statement.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))) {
    error = ErrorOf(statement.lastError());
    return rollback(Readiness::Failed);
  }
  if (!statement.exec(QStringLiteral("COMMIT"))) {
    error = ErrorOf(statement.lastError());
    return rollback(Readiness::Failed);
  }
  return Readiness::Ready;
}

}  // namespace

// The open record: its connection and the statements used again and again.
struct ProgressStore::Connection {
  explicit Connection(const QString& path) : database(path, /*read_only=*/false) {}

  bool Prepare() {
    const auto prepare = [this](QSqlQuery& query, const std::string& sql) {
      query = QSqlQuery(database.Get());
      if (query.prepare(QString::fromStdString(sql))) return true;
      error = query.lastError();
      return false;
    };
    return prepare(begin, "BEGIN IMMEDIATE") && prepare(commit, "COMMIT") && prepare(rollback, "ROLLBACK") &&
           prepare(select_word, "SELECT id, " + kProgressColumns + " FROM word WHERE english = ? AND chinese = ?") &&
           prepare(insert_word, "INSERT INTO word(english, chinese) VALUES(?, ?)") &&
           prepare(update_word,
                   "UPDATE word SET stability = ?, difficulty = ?, last_review_day = ?, due_day = ?,"
                   " reviews = ?, recalls = ?, misses = ? WHERE id = ?") &&
           prepare(insert_review,
                   "INSERT INTO review(at_ms, word_id, game_id, outcome, grade, shown, on_field_ms,"
                   " fall_interval_ms, hint_ticked, whole_line, utc_offset, day)"
                   " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") &&
           prepare(insert_game, "INSERT INTO game(list, started_ms) VALUES(?, ?)") &&
           prepare(end_game, "UPDATE game SET ended_ms = ? WHERE id = ?") &&
           prepare(due_count, "SELECT COUNT(*) FROM word WHERE stability IS NOT NULL AND due_day <= ?") &&
           prepare(candidates, "SELECT id, english, chinese, " + kProgressColumns +
                                   " FROM word WHERE (stability IS NOT NULL AND due_day <= ?)"
                                   " OR (reviews > 0 AND recalls = 0)");
  }

  bool WriteProgress(std::int64_t word_id, const learning::WordProgress& progress) {
    const QVariant null;
    update_word.bindValue(0, progress.memory ? QVariant(progress.memory->stability) : null);
    update_word.bindValue(1, progress.memory ? QVariant(progress.memory->difficulty) : null);
    update_word.bindValue(2, progress.memory ? Int64(progress.last_review_day) : null);
    update_word.bindValue(3, progress.memory ? Int64(progress.due_day) : null);
    update_word.bindValue(4, progress.reviews);
    update_word.bindValue(5, progress.recalls);
    update_word.bindValue(6, progress.misses);
    update_word.bindValue(7, Int64(word_id));
    if (update_word.exec()) return true;
    error = update_word.lastError();
    return false;
  }

  bool Run(QSqlQuery& query) {
    if (query.exec()) return true;
    error = query.lastError();
    return false;
  }

  void Rollback() { rollback.exec(); }

  // Declared first: destroyed after the statements, as Qt requires.
  Database database;
  QSqlError error;  // of the last statement that failed
  learning::FsrsModel model;
  QSqlQuery begin, commit, rollback;
  QSqlQuery select_word, insert_word, update_word, insert_review;
  QSqlQuery insert_game, end_game, due_count, candidates;
};

ProgressStore::ProgressStore() = default;

ProgressStore::~ProgressStore() { Close(); }

bool ProgressStore::Exists(const QString& path) { return QFileInfo::exists(path); }

StoreError ProgressStore::Delete(const QString& path) {
  QStringList names{path};
  for (const char* suffix : kCompanionSuffixes) names << path + QLatin1String(suffix);
  for (const QString& name : names) {
    QFile file(name);
    if (file.exists() && !file.remove()) {
      return {ErrorKind::ReadOnly, "cannot delete " + name.toStdString() + ": " + file.errorString().toStdString()};
    }
  }
  return {};
}

bool ProgressStore::IsOpen() const { return connection_ != nullptr; }

void ProgressStore::Close() { connection_.reset(); }

bool ProgressStore::Fail(ErrorKind kind, std::string message) {
  last_error_ = {kind, std::move(message)};
  return false;
}

bool ProgressStore::Succeed() {
  last_error_ = {};
  return true;
}

bool ProgressStore::RequireOpen() {
  if (connection_) return true;
  return Fail(ErrorKind::NotOpen, "no learning record is open");
}

OpenResult ProgressStore::Open(const QString& path) {
  // Where waiting could deadlock, SQLite answers "busy" at once instead of
  // waiting out the busy timeout: two windows making the same new record
  // both read it while switching it to WAL, and one of them must give way.
  // It starts again; by then the other has made the record.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
  for (;;) {
    OpenResult result = OpenOnce(path);
    if (result.outcome != OpenOutcome::Unavailable || result.error.kind != ErrorKind::Busy ||
        std::chrono::steady_clock::now() >= deadline) {
      return result;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

OpenResult ProgressStore::OpenOnce(const QString& path) {
  Close();
  OpenResult result;
  const auto unavailable = [&](StoreError error) {
    result.outcome = OpenOutcome::Unavailable;
    result.error = std::move(error);
    last_error_ = result.error;
    return result;
  };
  const auto moved_aside = [&](StoreError why) {
    StoreError error;
    const std::optional<QString> target = MoveAside(path, error);
    if (!target) return unavailable(error);
    result.outcome = OpenOutcome::MovedAside;
    result.moved_to = *target;
    result.error = std::move(why);
    last_error_ = result.error;
    return result;
  };
  const auto newer = [&](int version) {
    result.outcome = OpenOutcome::NewerVersion;
    result.found_version = version;
    result.error = {ErrorKind::Other, "written by a newer program (schema version " + std::to_string(version) + ")"};
    last_error_ = result.error;
    return result;
  };

  const QFileInfo info(path);
  if (info.exists()) {
    if (!info.isFile()) return unavailable({ErrorKind::Other, path.toStdString() + " is not a file"});
    // First looks that write nothing: a file that is not ours is moved aside
    // as it was found, a newer one is left as it is, and one that cannot be
    // written is not touched at all.
    const Header header = PeekHeader(path);
    if (!header.readable) return unavailable({ErrorKind::ReadOnly, "cannot read " + path.toStdString()});
    if (!header.sqlite) return moved_aside({ErrorKind::Damaged, "not an SQLite file, or its header is damaged"});
    if (header.version > kSchemaVersion) return newer(header.version);
    if (!info.isWritable()) return unavailable({ErrorKind::ReadOnly, "cannot write " + path.toStdString()});
    const Inspection inspection = Inspect(path);
    switch (inspection.finding) {
      case Finding::Record:
      case Finding::Empty:
        break;
      case Finding::Foreign:
      case Finding::Damaged:
        return moved_aside(inspection.error);
      case Finding::Newer:
        return newer(inspection.version);
      case Finding::Unreadable:
        return unavailable(inspection.error);
    }
  } else if (!QDir().mkpath(info.absolutePath())) {
    return unavailable({ErrorKind::ReadOnly, "cannot make the folder " + info.absolutePath().toStdString()});
  }

  auto connection = std::make_unique<Connection>(path);
  QSqlDatabase& database = connection->database.Get();
  if (!database.open()) return unavailable(ErrorOf(database.lastError()));
  int version = 0;
  StoreError error;
  switch (MakeReady(database, version, error)) {
    case Readiness::Ready:
      break;
    case Readiness::Foreign:
      connection.reset();
      return moved_aside(error);
    case Readiness::Newer:
      return newer(version);
    case Readiness::Failed:
      return unavailable(error);
  }
  if (!connection->Prepare()) return unavailable(ErrorOf(connection->error));

  connection_ = std::move(connection);
  result.outcome = version == 0 ? OpenOutcome::Created : OpenOutcome::Opened;
  last_error_ = {};
  return result;
}

std::optional<std::int64_t> ProgressStore::BeginGame(std::string_view list, std::int64_t started_ms) {
  if (!RequireOpen()) return std::nullopt;
  if (!IsValidUtf8(list)) {
    Fail(ErrorKind::BadInput, "the list name is not UTF-8");
    return std::nullopt;
  }
  QSqlQuery& insert = connection_->insert_game;
  insert.bindValue(0, Text(list));
  insert.bindValue(1, Int64(started_ms));
  if (!connection_->Run(insert)) {
    last_error_ = ErrorOf(connection_->error);
    return std::nullopt;
  }
  Succeed();
  return insert.lastInsertId().toLongLong();
}

bool ProgressStore::EndGame(std::int64_t game_id, std::int64_t ended_ms) {
  if (!RequireOpen()) return false;
  QSqlQuery& update = connection_->end_game;
  update.bindValue(0, Int64(ended_ms));
  update.bindValue(1, Int64(game_id));
  if (!connection_->Run(update)) {
    last_error_ = ErrorOf(connection_->error);
    return false;
  }
  if (update.numRowsAffected() != 1) return Fail(ErrorKind::BadInput, "no game " + std::to_string(game_id));
  // Between games: the time to copy the WAL back into the file. PASSIVE
  // waits for no other window; what it cannot copy now waits for later.
  QSqlQuery(connection_->database.Get()).exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
  return Succeed();
}

bool ProgressStore::RecordReview(std::optional<std::int64_t> game_id, std::string_view english,
                                 std::string_view chinese, learning::Outcome outcome, learning::Grade grade,
                                 const ReviewContext& context, std::int64_t at_ms, std::int32_t utc_offset_seconds) {
  if (!RequireOpen()) return false;
  if (!learning::OutcomeFromNumber(static_cast<int>(outcome))) {
    return Fail(ErrorKind::BadInput, "no outcome " + std::to_string(static_cast<int>(outcome)));
  }
  if (grade != learning::Grade::None && grade != learning::Grade::Again && grade != learning::Grade::Good) {
    return Fail(ErrorKind::BadInput, "the game grades 0, 1 or 3, not " + std::to_string(static_cast<int>(grade)));
  }
  if (!IsValidUtf8(english) || !IsValidUtf8(chinese) || !IsValidUtf8(context.shown)) {
    return Fail(ErrorKind::BadInput, "a text of the review is not UTF-8");
  }
  const QString english_text = Text(AsciiLower(std::string(english)));
  const QString chinese_text = Text(chinese);
  const std::int64_t day = learning::LearningDay(at_ms, utc_offset_seconds);

  Connection& c = *connection_;
  const auto failed = [&] {
    const StoreError error = ErrorOf(c.error);
    c.Rollback();
    last_error_ = error;
    return false;
  };
  if (!c.Run(c.begin)) {
    last_error_ = ErrorOf(c.error);
    return false;
  }
  c.select_word.bindValue(0, english_text);
  c.select_word.bindValue(1, chinese_text);
  if (!c.Run(c.select_word)) return failed();
  std::int64_t word_id = 0;
  learning::WordProgress progress;
  if (c.select_word.next()) {
    word_id = c.select_word.value(0).toLongLong();
    progress = ProgressFrom(c.select_word, 1);
    c.select_word.finish();
  } else {
    c.select_word.finish();
    c.insert_word.bindValue(0, english_text);
    c.insert_word.bindValue(1, chinese_text);
    if (!c.Run(c.insert_word)) return failed();
    word_id = c.insert_word.lastInsertId().toLongLong();
  }
  progress = learning::ApplyReview(c.model, progress, day, grade);

  QSqlQuery& insert = c.insert_review;
  insert.bindValue(0, Int64(at_ms));
  insert.bindValue(1, Int64(word_id));
  insert.bindValue(2, game_id ? Int64(*game_id) : QVariant());
  insert.bindValue(3, static_cast<int>(outcome));
  insert.bindValue(4, static_cast<int>(grade));
  insert.bindValue(5, Text(context.shown));
  insert.bindValue(6, Int64(context.on_field_ms));
  insert.bindValue(7, Int64(context.fall_interval_ms));
  insert.bindValue(8, context.hint_ticked ? 1 : 0);
  insert.bindValue(9, context.whole_line ? 1 : 0);
  insert.bindValue(10, utc_offset_seconds);
  insert.bindValue(11, Int64(day));
  if (!c.Run(insert)) return failed();
  if (!c.WriteProgress(word_id, progress)) return failed();
  if (!c.Run(c.commit)) return failed();
  return Succeed();
}

std::optional<std::size_t> ProgressStore::DueCount(std::int64_t now_ms, std::int32_t utc_offset_seconds) {
  if (!RequireOpen()) return std::nullopt;
  QSqlQuery& query = connection_->due_count;
  query.bindValue(0, Int64(learning::LearningDay(now_ms, utc_offset_seconds)));
  if (!connection_->Run(query)) {
    last_error_ = ErrorOf(connection_->error);
    return std::nullopt;
  }
  if (!query.next()) {
    last_error_ = ErrorOf(query.lastError());
    return std::nullopt;
  }
  const auto count = static_cast<std::size_t>(query.value(0).toLongLong());
  query.finish();
  Succeed();
  return count;
}

std::optional<std::vector<WordPair>> ProgressStore::TodaysReview(std::int64_t now_ms, std::int32_t utc_offset_seconds,
                                                                 std::size_t limit) {
  if (!RequireOpen()) return std::nullopt;
  const std::int64_t today = learning::LearningDay(now_ms, utc_offset_seconds);
  QSqlQuery& query = connection_->candidates;
  query.bindValue(0, Int64(today));
  if (!connection_->Run(query)) {
    last_error_ = ErrorOf(connection_->error);
    return std::nullopt;
  }
  std::vector<learning::ReviewCandidate> candidates;
  std::unordered_map<std::int64_t, WordPair> pairs;
  while (query.next()) {
    const std::int64_t id = query.value(0).toLongLong();
    candidates.push_back({id, ProgressFrom(query, 3)});
    pairs.emplace(id, WordPair{Utf8(query.value(1)), Utf8(query.value(2))});
  }
  query.finish();
  std::vector<WordPair> review;
  for (const std::int64_t id : learning::SelectTodaysReview(connection_->model, candidates, today, limit)) {
    review.push_back(pairs.at(id));
  }
  Succeed();
  return review;
}

std::optional<std::vector<StoredWord>> ProgressStore::Words() {
  if (!RequireOpen()) return std::nullopt;
  QSqlQuery query(connection_->database.Get());
  query.setForwardOnly(true);
  if (!query.exec(QString::fromStdString("SELECT id, english, chinese, " + kProgressColumns + " FROM word ORDER BY id"))) {
    last_error_ = ErrorOf(query.lastError());
    return std::nullopt;
  }
  std::vector<StoredWord> words;
  while (query.next()) {
    words.push_back({query.value(0).toLongLong(), Utf8(query.value(1)), Utf8(query.value(2)), ProgressFrom(query, 3)});
  }
  Succeed();
  return words;
}

std::optional<std::int64_t> ProgressStore::ReviewCount() {
  if (!RequireOpen()) return std::nullopt;
  QSqlQuery query(connection_->database.Get());
  if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM review")) || !query.next()) {
    last_error_ = ErrorOf(query.lastError());
    return std::nullopt;
  }
  Succeed();
  return query.value(0).toLongLong();
}

std::optional<stats::ReviewLog> ProgressStore::ReadLog() {
  if (!RequireOpen()) return std::nullopt;
  QSqlDatabase& database = connection_->database.Get();
  // One read transaction: words, games and reviews as one state of a file
  // that the game's own thread or another window may be writing.
  QSqlQuery transaction(database);
  if (!transaction.exec(QStringLiteral("BEGIN"))) {
    last_error_ = ErrorOf(transaction.lastError());
    return std::nullopt;
  }
  const auto failed = [&](const QSqlQuery& query) -> std::optional<stats::ReviewLog> {
    last_error_ = ErrorOf(query.lastError());
    QSqlQuery(database).exec(QStringLiteral("COMMIT"));
    return std::nullopt;
  };
  const auto optional_int64 = [](const QSqlQuery& query, int column) -> std::optional<std::int64_t> {
    if (query.isNull(column)) return std::nullopt;
    return query.value(column).toLongLong();
  };
  stats::ReviewLog log;
  QSqlQuery query(database);
  query.setForwardOnly(true);
  if (!query.exec(QStringLiteral("SELECT id, english, chinese FROM word ORDER BY id"))) return failed(query);
  while (query.next()) log.words.push_back({query.value(0).toLongLong(), Utf8(query.value(1)), Utf8(query.value(2))});
  query.finish();
  if (!query.exec(QStringLiteral("SELECT id, started_ms, ended_ms FROM game ORDER BY id"))) return failed(query);
  while (query.next()) log.games.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(), optional_int64(query, 2)});
  query.finish();
  if (!query.exec(QStringLiteral("SELECT at_ms, day, word_id, game_id, outcome, grade FROM review ORDER BY id"))) {
    return failed(query);
  }
  while (query.next()) {
    log.reviews.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toLongLong(),
                           optional_int64(query, 3), query.value(4).toInt(), query.value(5).toInt()});
  }
  query.finish();
  QSqlQuery(database).exec(QStringLiteral("COMMIT"));
  Succeed();
  return log;
}

bool ProgressStore::RebuildCache() {
  if (!RequireOpen()) return false;
  Connection& c = *connection_;
  if (!c.Run(c.begin)) {
    last_error_ = ErrorOf(c.error);
    return false;
  }
  const auto failed = [&](const QSqlError& error) {
    c.Rollback();
    last_error_ = ErrorOf(error);
    return false;
  };
  std::map<std::int64_t, learning::WordProgress> progress;
  {
    QSqlQuery words(c.database.Get());
    words.setForwardOnly(true);
    if (!words.exec(QStringLiteral("SELECT id FROM word"))) return failed(words.lastError());
    while (words.next()) progress[words.value(0).toLongLong()] = {};
  }
  {
    QSqlQuery reviews(c.database.Get());
    reviews.setForwardOnly(true);
    if (!reviews.exec(QStringLiteral("SELECT word_id, day, grade FROM review ORDER BY id"))) {
      return failed(reviews.lastError());
    }
    while (reviews.next()) {
      learning::WordProgress& word = progress[reviews.value(0).toLongLong()];
      word = learning::ApplyReview(c.model, word, reviews.value(1).toLongLong(),
                                   static_cast<learning::Grade>(reviews.value(2).toInt()));
    }
  }
  for (const auto& [id, word] : progress) {
    if (!c.WriteProgress(id, word)) return failed(c.error);
  }
  if (!c.Run(c.commit)) return failed(c.error);
  return Succeed();
}

bool ProgressStore::ExportReviewsCsv(const QString& path) {
  if (!RequireOpen()) return false;
  QSqlDatabase& database = connection_->database.Get();
  // One read transaction: a consistent log while other windows write.
  QSqlQuery transaction(database);
  if (!transaction.exec(QStringLiteral("BEGIN"))) {
    last_error_ = ErrorOf(transaction.lastError());
    return false;
  }
  const auto end = [&] { QSqlQuery(database).exec(QStringLiteral("COMMIT")); };
  QSqlQuery query(database);
  query.setForwardOnly(true);
  if (!query.exec(QStringLiteral(
          "SELECT r.id, r.at_ms, r.utc_offset, r.day, w.english, w.chinese, r.outcome, r.grade, r.shown,"
          " r.on_field_ms, r.fall_interval_ms, r.hint_ticked, r.whole_line, r.game_id, g.list"
          " FROM review r JOIN word w ON w.id = r.word_id LEFT JOIN game g ON g.id = r.game_id ORDER BY r.id"))) {
    last_error_ = ErrorOf(query.lastError());
    end();
    return false;
  }
  std::string text;
  AppendCsvRecord(text, {"review_id", "at_ms", "local_time", "utc_offset", "day", "english", "chinese", "outcome",
                         "grade", "shown", "on_field_ms", "fall_interval_ms", "hint_ticked", "whole_line", "game_id",
                         "list"});
  while (query.next()) {
    const std::int64_t at_ms = query.value(1).toLongLong();
    const auto offset = static_cast<std::int32_t>(query.value(2).toInt());
    AppendCsvRecord(text, {Utf8(query.value(0)), std::to_string(at_ms), LocalTime(at_ms, offset),
                           std::to_string(offset), Utf8(query.value(3)), Utf8(query.value(4)), Utf8(query.value(5)),
                           Utf8(query.value(6)), Utf8(query.value(7)), Utf8(query.value(8)), Utf8(query.value(9)),
                           Utf8(query.value(10)), Utf8(query.value(11)), Utf8(query.value(12)),
                           query.isNull(13) ? std::string() : Utf8(query.value(13)),
                           query.isNull(14) ? std::string() : Utf8(query.value(14))});
  }
  query.finish();
  end();

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !file.commit()) {
    return Fail(ErrorKind::Other, "cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
  }
  return Succeed();
}

}  // namespace zembrot::record
