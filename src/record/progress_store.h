#pragma once

// The learning record: one SQLite file that keeps every word's history.
//
// Tables (outside tools read these names):
//   word(id, english, chinese, stability, difficulty, last_review_day,
//        due_day, reviews, recalls, misses)   one row per practice pair,
//        English ASCII-lowered; the rest is a cache of the memory state
//   game(id, list, started_ms, ended_ms)      one row per game
//   review(id, at_ms, word_id, game_id, outcome, grade, shown, on_field_ms,
//          fall_interval_ms, hint_ticked, whole_line, utc_offset, day)
//        append-only, one row per outcome of a word: the source of truth,
//        from which every cached state in word can be rebuilt.
// The schema's version is PRAGMA user_version.
//
// Every text crosses this interface as UTF-8 and is stored as UTF-8; the
// caller converts the game's code-page bytes (base/code_page.h).
//
// The file is shared safely by several windows: WAL journal, a busy timeout,
// and each review written in a short transaction of its own, so a kill loses
// at most the word in flight. One instance is used by the thread that opened
// it (a Qt SQL rule); other threads and processes open instances of their own.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "learning/grading.h"
#include "learning/review_selection.h"
#include "learning/word_progress.h"
#include "stats/review_log.h"

namespace zembrot::record {

// The schema this program writes; a file with a higher version is not ours
// to change.
inline constexpr int kSchemaVersion = 1;

enum class ErrorKind {
  None,
  NotOpen,   // no record is open
  BadInput,  // an argument the record cannot keep (not UTF-8, an unknown game, a grade out of range)
  Busy,      // another window held the file past the busy timeout
  ReadOnly,  // the file or its folder cannot be written
  DiskFull,
  Damaged,   // the file is not a sound record
  Other,
};

struct StoreError {
  ErrorKind kind = ErrorKind::None;
  std::string message;  // SQLite's or the system's words, for a log

  explicit operator bool() const { return kind != ErrorKind::None; }
};

enum class OpenOutcome {
  Created,       // a new record (the file was missing or empty)
  Opened,        // an existing record, brought up to the current schema
  MovedAside,    // the file was no record of ours (not SQLite, damaged, or
                 // other tables): renamed to `moved_to`, nothing open
  NewerVersion,  // written by a newer program: left untouched, nothing open
  Unavailable,   // could not be read, created or written (read-only folder
                 // or file, full disk, ...): nothing changed, nothing open
};

struct OpenResult {
  OpenOutcome outcome = OpenOutcome::Unavailable;
  QString moved_to;     // MovedAside
  int found_version = 0;  // NewerVersion
  StoreError error;     // why, unless Created or Opened
};

// What the game knew when a word's outcome came.
struct ReviewContext {
  std::string shown;                  // what the word showed: "chinese", "english" or "line"
  std::int64_t on_field_ms = 0;       // time from its spawn to the outcome
  std::int64_t fall_interval_ms = 0;  // the fall timer's interval then
  bool hint_ticked = false;
  bool whole_line = false;  // 落下字符显示英文
};

struct WordPair {
  std::string english;  // as stored: ASCII-lowered
  std::string chinese;

  friend bool operator==(const WordPair&, const WordPair&) = default;
};

struct StoredWord {
  std::int64_t id = 0;
  std::string english;
  std::string chinese;
  learning::WordProgress progress;

  friend bool operator==(const StoredWord&, const StoredWord&) = default;
};

class ProgressStore {
 public:
  ProgressStore();
  ~ProgressStore();
  ProgressStore(const ProgressStore&) = delete;
  ProgressStore& operator=(const ProgressStore&) = delete;

  // Whether a file is at `path`; creates, opens and changes nothing.
  static bool Exists(const QString& path);

  // Removes the record and its -wal, -shm and -journal files. Close every
  // instance on it first. Missing files are no error.
  static StoreError Delete(const QString& path);

  // Opens the record at `path`, making its folder and the file when they are
  // missing. A file that is no record of ours is moved aside, never
  // overwritten or deleted. Closes any record this instance had open.
  OpenResult Open(const QString& path);
  void Close();
  bool IsOpen() const;

  // The error of the last operation that failed (cleared by each success).
  const StoreError& LastError() const { return last_error_; }

  // A new game on `list` (the practice list's name); its id, or none on error.
  std::optional<std::int64_t> BeginGame(std::string_view list, std::int64_t started_ms);
  // Also copies the journal back into the file, which waits for the disk:
  // call it between games, not inside a fall tick.
  bool EndGame(std::int64_t game_id, std::int64_t ended_ms);

  // Appends one review and brings the word's cached state up to date, in one
  // transaction. `english` is lowered here; the pair's row is made on its
  // first review. `utc_offset_seconds` is the local offset at `at_ms`.
  bool RecordReview(std::optional<std::int64_t> game_id, std::string_view english, std::string_view chinese,
                    learning::Outcome outcome, learning::Grade grade, const ReviewContext& context,
                    std::int64_t at_ms, std::int32_t utc_offset_seconds);

  // Words due on the learning day of `now_ms`.
  std::optional<std::size_t> DueCount(std::int64_t now_ms, std::int32_t utc_offset_seconds);

  // Today's review (see learning/review_selection.h): at most `limit` pairs.
  std::optional<std::vector<WordPair>> TodaysReview(std::int64_t now_ms, std::int32_t utc_offset_seconds,
                                                    std::size_t limit = learning::kTodaysReviewLimit);

  // Every word with its cached progress, by id.
  std::optional<std::vector<StoredWord>> Words();
  std::optional<std::int64_t> ReviewCount();

  // Every word, game and review (the reviews in the order they were
  // written), read in one transaction: what the statistics are worked out
  // from. Three queries over the whole log, however long.
  std::optional<stats::ReviewLog> ReadLog();

  // Recomputes every word's cached state from the review log, in one
  // transaction; gives exactly the values kept review by review.
  bool RebuildCache();

  // The review log joined with the words and games, as CSV (RFC 4180: a
  // header row, CR LF line ends, fields quoted where needed; UTF-8, no byte
  // order mark). The file is replaced whole or not at all.
  bool ExportReviewsCsv(const QString& path);

 private:
  struct Connection;

  OpenResult OpenOnce(const QString& path);
  bool Fail(ErrorKind kind, std::string message);
  bool Succeed();
  bool RequireOpen();

  std::unique_ptr<Connection> connection_;
  StoreError last_error_;
};

}  // namespace zembrot::record
