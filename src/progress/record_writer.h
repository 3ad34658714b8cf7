#pragma once

// The thread that owns the open learning record. The game's thread hands it
// tasks and never waits on the disk while it plays: reviews are written
// here, in order, while the words go on falling. Answers the game needs
// (today's review, the due count) are asked for with Call, outside play.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include <QString>

#include "record/progress_store.h"

namespace zembrot::progress {

class RecordWriter {
 public:
  // Starts the thread; `open` runs first on it, with the store.
  explicit RecordWriter(std::function<void(record::ProgressStore&)> open);
  // Finishes every task handed over, closes the record and ends the thread.
  ~RecordWriter();
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  void Post(std::function<void(record::ProgressStore&)> task);

  // Runs `task` after everything posted before it; its answer comes in the
  // future, so that the caller can do something else meanwhile.
  template <class Result>
  std::future<Result> Ask(std::function<Result(record::ProgressStore&)> task) {
    std::packaged_task<Result(record::ProgressStore&)> packaged(std::move(task));
    std::future<Result> answer = packaged.get_future();
    auto shared = std::make_shared<decltype(packaged)>(std::move(packaged));
    Post([shared](record::ProgressStore& store) { (*shared)(store); });
    return answer;
  }

  // Runs `task` after everything posted before it and waits for its answer.
  template <class Result>
  Result Call(std::function<Result(record::ProgressStore&)> task) {
    return Ask<Result>(std::move(task)).get();
  }

 private:
  void Run(std::function<void(record::ProgressStore&)> open);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void(record::ProgressStore&)>> tasks_;
  bool stopping_ = false;
  std::thread thread_;  // last: starts once everything above is ready
};

}  // namespace zembrot::progress
