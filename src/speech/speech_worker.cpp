#include "speech/speech_worker.h"

#include <future>
#include <memory>
#include <utility>

namespace zembrot {

namespace {

// Queues `task` on `worker` with a promise for its answer. Shared with the
// queued task: a task dropped before it ran takes its promise with it, and
// a wait for the answer ends instead of lasting for ever.
std::future<EngineResult> Ask(SpeechWorker& worker, std::function<EngineResult()> task) {
  auto answer = std::make_shared<std::promise<EngineResult>>();
  std::future<EngineResult> result = answer->get_future();
  worker.Post([answer = std::move(answer), task = std::move(task)] { answer->set_value(task()); });
  return result;
}

EngineResult AnswerOf(std::future<EngineResult>& result) {
  try {
    return result.get();
  } catch (const std::future_error&) {
    return {E_FAIL_RESULT, "The speech request was dropped before it ran"};
  }
}

}  // namespace

SpeechWorker::SpeechWorker() : thread_([this] { Run(); }) {}

SpeechWorker::~SpeechWorker() {
  {
    const std::lock_guard lock(mutex_);
    queue_.clear();
    stopping_ = true;
  }
  wake_.notify_all();
  idle_.notify_all();
  if (thread_.joinable()) thread_.join();
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
    // Whatever the task held goes before the thread counts as idle.
    task = nullptr;
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
  std::future<EngineResult> result = Ask(*this, std::move(task));
  const EngineResult value = AnswerOf(result);
  // Return only once the speech thread has let go of the task, so that a
  // caller who queued nothing else finds the engine idle.
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !busy_ || !queue_.empty() || stopping_; });
  return value;
}

EngineResult SpeechWorker::Call(std::function<EngineResult()> task, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  std::future<EngineResult> result = Ask(*this, std::move(task));
  if (result.wait_until(end) != std::future_status::ready) {
    return {SPEECH_NO_ANSWER_RESULT, "The speech thread did not answer in time"};
  }
  const EngineResult value = AnswerOf(result);
  std::unique_lock lock(mutex_);
  idle_.wait_until(lock, end, [this] { return !busy_ || !queue_.empty() || stopping_; });
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

bool SpeechWorker::Finish(std::chrono::milliseconds bound) {
  std::unique_lock lock(mutex_);
  if (!thread_.joinable()) return true;
  const bool ended = idle_.wait_for(lock, bound, [this] { return queue_.empty() && !busy_; });
  stopping_ = true;
  lock.unlock();
  wake_.notify_all();
  if (ended) {
    thread_.join();
  } else {
    thread_.detach();
  }
  return ended;
}

}  // namespace zembrot
