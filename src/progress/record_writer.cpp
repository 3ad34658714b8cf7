#include "progress/record_writer.h"

#include <utility>

namespace zembrot::progress {

RecordWriter::RecordWriter(std::function<void(record::ProgressStore&)> open)
    : thread_([this, open = std::move(open)]() mutable { Run(std::move(open)); }) {}

RecordWriter::~RecordWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void RecordWriter::Post(std::function<void(record::ProgressStore&)> task) {
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  wake_.notify_one();
}

void RecordWriter::Run(std::function<void(record::ProgressStore&)> open) {
  // The store lives and dies on this thread: a database connection belongs
  // to the thread that opened it.
  record::ProgressStore store;
  open(store);
  for (;;) {
    std::function<void(record::ProgressStore&)> task;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
      if (tasks_.empty()) break;  // stopping, with everything written
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task(store);
  }
  store.Close();
}

}  // namespace zembrot::progress
