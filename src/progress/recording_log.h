#pragma once

// The learning log that keeps what the game tells it in the learning record.
// The game's thread only hands the outcomes over; the record's own thread
// writes them, so nothing waits on the disk inside a fall tick.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "game/core/learning_log.h"
#include "progress/record_writer.h"
#include "record/progress_store.h"
#include "stats/figures.h"

namespace zembrot::progress {

class RecordingLog final : public QObject, public game::LearningLog {
  Q_OBJECT

 public:
  // Opens the record at `path` on the record's thread. The callbacks run on
  // the thread that made this log, from its event loop.
  struct Listener {
    std::function<void(const record::OpenResult&)> opened;
    // Once; nothing more is written in this run.
    std::function<void(const record::StoreError&)> writeFailed;
    std::function<void(std::size_t)> dueCountChanged;
  };
  // `nowMs` is the clock at the opening, for the first due count.
  RecordingLog(const QString& path, std::int64_t nowMs, Listener listener);
  // Writes everything handed over, then closes the record.
  ~RecordingLog() override;

  void GameStarted(const std::string& list, std::int64_t atMs) override;
  void WordDone(const game::WordOutcome& outcome) override;
  void GameEnded(std::int64_t atMs) override;

  // Today's review as practice lines ("english,chinese", code-page bytes),
  // after everything handed over has been written; none when the record
  // cannot be read.
  std::optional<std::vector<std::string>> TodaysReviewLines(std::int64_t nowMs);

  // The statistics' figures on the learning day of `nowMs`, worked out on
  // the record's thread from the whole log once everything handed over has
  // been written: the game's thread may build the window meanwhile. No
  // figures when the record cannot be read, and then the reason.
  struct FiguresAnswer {
    std::optional<stats::Figures> figures;
    std::string why;
  };
  std::future<FiguresAnswer> FiguresLater(std::int64_t nowMs);

 private:
  // On the record's thread.
  void AfterWrite(record::ProgressStore& store, bool written, std::int64_t atMs);
  void TellOnThisThread(std::function<void()> tell);

  Listener listener_;
  // Touched by the record's thread only.
  std::optional<std::int64_t> gameId_;
  bool failed_ = false;
  RecordWriter writer_;  // last: its thread starts once the rest is ready
};

// The offset of local time from UTC at `utcMs`, in seconds, from the
// system's time zone.
std::int32_t LocalOffsetSeconds(std::int64_t utcMs);

}  // namespace zembrot::progress
