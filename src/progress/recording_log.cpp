#include "progress/recording_log.h"

#include <utility>

#include <QDateTime>
#include <QMetaObject>

#include "base/code_page.h"
#include "learning/grading.h"
#include "learning/learning_day.h"

namespace zembrot::progress {

namespace {

const char* ShownName(game::Shown shown) {
  switch (shown) {
    case game::Shown::Chinese: return "chinese";
    case game::Shown::English: return "english";
    case game::Shown::WholeLine: return "line";
  }
  return "chinese";
}

}  // namespace

std::int32_t LocalOffsetSeconds(std::int64_t utcMs) {
  return QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc();
}

RecordingLog::RecordingLog(const QString& path, std::int64_t nowMs, Listener listener)
    : listener_(std::move(listener)), writer_([this, path, nowMs](record::ProgressStore& store) {
        const record::OpenResult result = store.Open(path);
        const bool open = result.outcome == record::OpenOutcome::Created ||
                          result.outcome == record::OpenOutcome::Opened;
        if (!open) failed_ = true;
        TellOnThisThread([this, result] {
          if (listener_.opened) listener_.opened(result);
        });
        if (open) AfterWrite(store, true, nowMs);
      }) {}

RecordingLog::~RecordingLog() = default;

void RecordingLog::TellOnThisThread(std::function<void()> tell) {
  // Queued to this object's thread; dropped if the log is gone by then.
  QMetaObject::invokeMethod(this, std::move(tell), Qt::QueuedConnection);
}

void RecordingLog::AfterWrite(record::ProgressStore& store, bool written, std::int64_t atMs) {
  if (!written) {
    if (failed_) return;
    failed_ = true;
    const record::StoreError error = store.LastError();
    TellOnThisThread([this, error] {
      if (listener_.writeFailed) listener_.writeFailed(error);
    });
    return;
  }
  if (const std::optional<std::size_t> due = store.DueCount(atMs, LocalOffsetSeconds(atMs))) {
    TellOnThisThread([this, count = *due] {
      if (listener_.dueCountChanged) listener_.dueCountChanged(count);
    });
  }
}

void RecordingLog::GameStarted(const std::string& list, std::int64_t atMs) {
  writer_.Post([this, list = CodePageToUtf8(list), atMs](record::ProgressStore& store) {
    if (failed_) return;
    gameId_ = store.BeginGame(list, atMs);
    if (!gameId_) AfterWrite(store, false, atMs);
  });
}

void RecordingLog::WordDone(const game::WordOutcome& outcome) {
  const auto kept = static_cast<learning::Outcome>(static_cast<int>(outcome.outcome));
  record::ReviewContext context;
  context.shown = ShownName(outcome.shown);
  context.on_field_ms = outcome.onFieldMs;
  context.fall_interval_ms = outcome.fallIntervalMs;
  context.hint_ticked = outcome.hintTicked;
  context.whole_line = outcome.wholeLineSetting;
  writer_.Post([this, english = CodePageToUtf8(outcome.english), chinese = CodePageToUtf8(outcome.chinese), kept,
                grade = learning::GradeFor(kept, outcome.hintTicked, outcome.wholeLineSetting), context,
                atMs = outcome.atMs](record::ProgressStore& store) {
    if (failed_) return;
    const bool written =
        store.RecordReview(gameId_, english, chinese, kept, grade, context, atMs, LocalOffsetSeconds(atMs));
    AfterWrite(store, written, atMs);
  });
}

void RecordingLog::GameEnded(std::int64_t atMs) {
  writer_.Post([this, atMs](record::ProgressStore& store) {
    if (failed_ || !gameId_) return;
    const std::int64_t id = *gameId_;
    gameId_.reset();
    AfterWrite(store, store.EndGame(id, atMs), atMs);
  });
}

std::optional<std::vector<std::string>> RecordingLog::TodaysReviewLines(std::int64_t nowMs) {
  return writer_.Call<std::optional<std::vector<std::string>>>(
      [this, nowMs](record::ProgressStore& store) -> std::optional<std::vector<std::string>> {
        if (failed_) return std::nullopt;
        const auto pairs = store.TodaysReview(nowMs, LocalOffsetSeconds(nowMs));
        if (!pairs) return std::nullopt;
        std::vector<std::string> lines;
        for (const record::WordPair& pair : *pairs) lines.push_back(Utf8ToCodePage(pair.english + "," + pair.chinese));
        return lines;
      });
}

std::future<RecordingLog::FiguresAnswer> RecordingLog::FiguresLater(std::int64_t nowMs) {
  return writer_.Ask<FiguresAnswer>([this, nowMs](record::ProgressStore& store) -> FiguresAnswer {
    if (failed_) return {std::nullopt, "the record is closed"};
    const std::optional<stats::ReviewLog> log = store.ReadLog();
    if (!log) return {std::nullopt, store.LastError().message};
    return {stats::ComputeFigures(*log, learning::LearningDay(nowMs, LocalOffsetSeconds(nowMs))), std::string()};
  });
}

}  // namespace zembrot::progress
