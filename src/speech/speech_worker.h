#pragma once

// The speech thread: one thread of our own that runs the engines' tasks in
// the order they were posted. The engines and the audio output belong to
// it; other threads only post tasks and, when they need the answer, wait.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "speech/synthesizer.h"

namespace zembrot {

class SpeechWorker {
 public:
  SpeechWorker();
  // Tasks still waiting are dropped; the one running is finished. After a
  // Finish that left the thread behind, nothing is waited for.
  ~SpeechWorker();
  SpeechWorker(const SpeechWorker&) = delete;
  SpeechWorker& operator=(const SpeechWorker&) = delete;

  // Queues `task` and returns at once.
  void Post(std::function<void()> task);
  // Queues `task` and waits for its answer.
  EngineResult Call(std::function<EngineResult()> task);
  // Queues `task` and waits for its answer no longer than `deadline`; past
  // it, the answer is SPEECH_NO_ANSWER_RESULT and the task, still queued or
  // running, finishes later with nobody waiting for it.
  EngineResult Call(std::function<EngineResult()> task, std::chrono::milliseconds deadline);
  // Drops every task still waiting.
  void DropWaiting();

  // True while a task is queued or running.
  bool Pending();
  void WaitUntilDone();

  // Lets the thread run what is queued and end, waiting no longer than
  // `bound`. True when it ended in time. Otherwise the thread is left
  // running, detached: it ends after the task it is in, and this object
  // must then outlive it (it is never destroyed).
  bool Finish(std::chrono::milliseconds bound);

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::function<void()>> queue_;
  bool stopping_ = false;
  bool busy_ = false;   // a task is running
  std::thread thread_;  // last: starts once everything above is ready
};

}  // namespace zembrot
