#include "speech/speech_worker.h"

#include <future>
#include <memory>
#include <utility>

namespace zembrot {

SpeechWorker::SpeechWorker() : thread_([this] { Run(); }) {}

SpeechWorker::~SpeechWorker() {
  {
    const std::lock_guard lock(mutex_);
    queue_.clear();
    stopping_ = true;
  }
  wake_.notify_all();
  idle_.notify_all();
  thread_.join();
}

void SpeechWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) break;
    std::function<void()> task = std::move(queue_.front());
    queue_.pop_front();
    busy_ = true;
    lock.unlock();
    task();
    lock.lock();
    busy_ = false;
    idle_.notify_all();
  }
}

void SpeechWorker::Post(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(task));
  }
  wake_.notify_one();
}

EngineResult SpeechWorker::Call(std::function<EngineResult()> task) {
  // Shared with the queued task: a task dropped before it ran takes its
  // promise with it, and the wait below ends instead of lasting for ever.
  auto answer = std::make_shared<std::promise<EngineResult>>();
  std::future<EngineResult> result = answer->get_future();
  Post([answer = std::move(answer), task = std::move(task)] { answer->set_value(task()); });
  EngineResult value;
  try {
    value = result.get();
  } catch (const std::future_error&) {
    return {E_FAIL_RESULT, "The speech request was dropped before it ran"};
  }
  // Return only once the speech thread has let go of the task, so that a
  // caller who queued nothing else finds the engine idle.
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !busy_ || !queue_.empty() || stopping_; });
  return value;
}

void SpeechWorker::DropWaiting() {
  const std::lock_guard lock(mutex_);
  queue_.clear();
}

bool SpeechWorker::Pending() {
  const std::lock_guard lock(mutex_);
  return !queue_.empty() || busy_;
}

void SpeechWorker::WaitUntilDone() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

}  // namespace zembrot
