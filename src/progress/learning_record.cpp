#include "progress/learning_record.h"

#include <string>
#include <vector>

#include <QDir>
#include <QFile>

#include "base/code_page.h"
#include "frame/application.h"
#include "frame/menu.h"
#include "frame/message_form.h"
#include "frame/services.h"
#include "game/form1.h"
#include "progress/progress_texts.h"
#include "progress/record_place.h"
#include "progress/recording_log.h"
#include "progress/statistics_window.h"
#include "record/progress_store.h"
#include "stats/figures.h"

namespace zembrot::progress {

namespace {

constexpr std::size_t kFewestToReview = 2;

}  // namespace

LearningRecord::LearningRecord(TForm1& form, bool optIn) : form_(form), path_(RecordPath()) {
  if (!RecordsThisStart(optIn)) return;
  if (optIn) QFile::remove(StoppedMarkPath());
  Start();
}

LearningRecord::~LearningRecord() { StopLogging(); }

void LearningRecord::Start() {
  RecordingLog::Listener listener;
  listener.opened = [this](const record::OpenResult& result) { Opened(result); };
  listener.writeFailed = [this](const record::StoreError& error) { WriteFailed(error); };
  listener.dueCountChanged = [this](std::size_t due) { DueCountChanged(due); };
  log_ = std::make_unique<RecordingLog>(path_, CurrentServices().NowMs(), std::move(listener));
  form_.SetLearningLog(*log_);
  AddMenuItems();
}

void LearningRecord::Opened(const record::OpenResult& result) {
  switch (result.outcome) {
    case record::OpenOutcome::Created:
      ShowNotice(texts::RecordingStarts(path_));
      return;
    case record::OpenOutcome::Opened:
      return;
    case record::OpenOutcome::MovedAside:
      StopLogging();
      ShowNotice(texts::RecordMovedAside(result.moved_to));
      return;
    case record::OpenOutcome::NewerVersion:
      StopLogging();
      ShowNotice(texts::RecordOfNewerProgram(path_));
      return;
    case record::OpenOutcome::Unavailable:
      StopLogging();
      ShowNotice(texts::RecordUnavailable(path_, result.error.message));
      return;
  }
}

void LearningRecord::WriteFailed(const record::StoreError& error) {
  if (log_ == nullptr) return;
  StopLogging();
  ShowNotice(texts::RecordUnavailable(path_, error.message));
}

void LearningRecord::DueCountChanged(std::size_t due) {
  if (todaysReview_ == nullptr) return;
  todaysReview_->SetCaption(texts::TodaysReview(due));
  todaysReview_->SetEnabled(due >= kFewestToReview);
}

void LearningRecord::StopLogging() {
  if (log_ == nullptr) return;
  form_.DetachLearningLog();
  log_.reset();
  RemoveMenuItems();
  // Its figures would no longer be those of a record in use.
  delete statisticsWindow_.data();
}

void LearningRecord::AddMenuItems() {
  const auto add = [this](const std::string& caption, void (LearningRecord::*click)()) {
    auto* item = new TMenuItem(&form_);
    item->SetCaption(caption);
    if (click != nullptr) item->OnClick = [this, click](QObject*) { (this->*click)(); };
    form_.N1->Add(item);
    return item;
  };
  separator_ = add("-", nullptr);
  todaysReview_ = add(texts::TodaysReview(0), &LearningRecord::TodaysReviewClick);
  todaysReview_->SetEnabled(false);
  statistics_ = add(texts::Statistics(), &LearningRecord::StatisticsClick);
  stop_ = add(texts::StopRecording(), &LearningRecord::StopClick);
  delete_ = add(texts::DeleteRecord(), &LearningRecord::DeleteClick);
}

void LearningRecord::RemoveMenuItems() {
  for (TMenuItem** item : {&separator_, &todaysReview_, &statistics_, &stop_, &delete_}) {
    delete *item;
    *item = nullptr;
  }
}

void LearningRecord::TodaysReviewClick() {
  if (log_ == nullptr) return;
  const auto lines = log_->TodaysReviewLines(CurrentServices().NowMs());
  if (!lines) return;  // the log reports its own failures
  if (lines->empty()) {
    ShowNotice(texts::NothingToReview());
    return;
  }
  std::string text;
  for (const std::string& line : *lines) text += line + "\r\n";
  form_.LoadPracticeText(text, texts::TodaysReviewListName());
}

void LearningRecord::StatisticsClick() {
  if (log_ == nullptr) return;
  // Opened by the learner, outside any fall tick: waiting here for the
  // record's thread to write what it was handed, read the log and work out
  // the figures is fine. The window is built meanwhile.
  std::future<RecordingLog::FiguresAnswer> answer = log_->FiguresLater(CurrentServices().NowMs());
  if (statisticsWindow_ == nullptr) {
    statisticsWindow_ = new StatisticsWindow(
        &form_, [this](const std::vector<stats::HardWord>& words) { PractiseHardestWords(words); });
  }
  const RecordingLog::FiguresAnswer figures = answer.get();
  if (!figures.figures) {
    ShowNotice(texts::RecordUnreadable(path_, figures.why));
    return;
  }
  statisticsWindow_->ShowFigures(*figures.figures);
  statisticsWindow_->Present();
}

void LearningRecord::PractiseHardestWords(const std::vector<stats::HardWord>& words) {
  RunGuarded([&] {
    std::string text;
    for (const stats::HardWord& word : words) text += Utf8ToCodePage(word.english + "," + word.chinese) + "\r\n";
    form_.LoadPracticeText(text, texts::HardestWordsListName());
    // Back to the game, where the list is played.
    form_.raise();
    form_.activateWindow();
  });
}

void LearningRecord::StopClick() {
  StopLogging();
  QDir().mkpath(RecordFolder());
  QFile mark(StoppedMarkPath());
  // Without the mark the next plain start would record again; say so.
  if (!mark.open(QIODevice::WriteOnly)) {
    ShowNotice(texts::RecordUnavailable(StoppedMarkPath(), mark.errorString().toStdString()));
    return;
  }
  mark.close();
  ShowNotice(texts::RecordingStopped(path_));
}

void LearningRecord::DeleteClick() {
  if (!CurrentServices().Confirm(texts::ConfirmDelete(path_))) return;
  StopLogging();
  if (const record::StoreError error = record::ProgressStore::Delete(path_)) {
    ShowNotice(texts::RecordNotDeleted(error.message));
    return;
  }
  QFile::remove(StoppedMarkPath());
  ShowNotice(texts::RecordDeleted());
}

}  // namespace zembrot::progress
