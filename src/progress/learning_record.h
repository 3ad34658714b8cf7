#pragma once

// The learning record of one run of the game. Off unless the learner opted
// in: then nothing at all changes (no file, no menu item, no notice). On,
// the window logs every word's outcome to the record, and 设置 gains
// 今日复习, 学习统计, 停止记录学习进度 and 删除学习记录….

#include <cstddef>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

namespace zembrot {
class TForm1;
class TMenuItem;
}  // namespace zembrot

namespace zembrot::stats {
struct HardWord;
}  // namespace zembrot::stats

namespace zembrot::record {
struct OpenResult;
struct StoreError;
}  // namespace zembrot::record

namespace zembrot::progress {

class RecordingLog;
class StatisticsWindow;

class LearningRecord final : public QObject {
  Q_OBJECT

 public:
  // Records when `optIn` (--progress) or when a record exists that the
  // learner has not stopped (see RecordsThisStart). Opting in lifts an
  // earlier stop. The record is opened on its own thread; what it answers
  // is shown once the main loop runs.
  LearningRecord(TForm1& form, bool optIn);
  // Ends a game in progress in the record and writes what is left.
  ~LearningRecord() override;

  bool Recording() const { return log_ != nullptr; }

  // The menu commands, as a click runs them.
  void TodaysReviewClick();
  void StatisticsClick();
  void StopClick();
  void DeleteClick();

 private:
  void Start();
  void Opened(const record::OpenResult& result);
  void WriteFailed(const record::StoreError& error);
  void DueCountChanged(std::size_t due);
  // Detaches the log from the window and closes the record.
  void StopLogging();
  void AddMenuItems();
  void RemoveMenuItems();
  void PractiseHardestWords(const std::vector<stats::HardWord>& words);

  TForm1& form_;
  QString path_;
  std::unique_ptr<RecordingLog> log_;
  TMenuItem* separator_ = nullptr;
  TMenuItem* todaysReview_ = nullptr;
  TMenuItem* statistics_ = nullptr;
  TMenuItem* stop_ = nullptr;
  TMenuItem* delete_ = nullptr;
  // Made at the first 学习统计 and kept (hidden when closed); freed with
  // the main window, or when recording stops.
  QPointer<StatisticsWindow> statisticsWindow_;
};

}  // namespace zembrot::progress
