// The speech thread on its own, with tasks that stand in for a sound system:
// one that answers, one that does not answer until the test lets it.

#include "speech/speech_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zembrot {
namespace {

using std::chrono::milliseconds;

// Long enough that nothing here comes near it unless it waits for ever.
constexpr auto kWatchdog = std::chrono::seconds(30);

// A task that reports when it starts and then waits until released.
class HeldTask {
 public:
  std::function<EngineResult()> Task() {
    return [this, released = release_.get_future().share()] {
      started_.set_value();
      released.wait();
      finished_.store(true);
      return EngineResult{S_OK_RESULT, "answered"};
    };
  }
  void WaitUntilStarted() { ASSERT_EQ(startedFuture_.wait_for(kWatchdog), std::future_status::ready); }
  void Release() {
    if (!released_.exchange(true)) release_.set_value();
  }
  bool Finished() const { return finished_.load(); }

 private:
  std::promise<void> started_;
  std::future<void> startedFuture_ = started_.get_future();
  std::promise<void> release_;
  std::atomic<bool> released_{false};
  std::atomic<bool> finished_{false};
};

// Lets a held task go when the test ends, however it ends, so that a
// failing check cannot leave the test waiting on its own thread.
class ReleaseAtEnd {
 public:
  explicit ReleaseAtEnd(HeldTask& held) : held_(held) {}
  ~ReleaseAtEnd() { held_.Release(); }
  ReleaseAtEnd(const ReleaseAtEnd&) = delete;
  ReleaseAtEnd& operator=(const ReleaseAtEnd&) = delete;

 private:
  HeldTask& held_;
};

struct DeadlineCase {
  const char* name;
  bool answers;  // false: the task is held past the deadline
  HResult code;
  const char* description;
};

class SpeechWorkerDeadlineTest : public ::testing::TestWithParam<DeadlineCase> {};

TEST_P(SpeechWorkerDeadlineTest, CallReturnsByItsDeadlineWhateverTheTaskDoes) {
  const DeadlineCase& row = GetParam();
  HeldTask held;  // first: it outlives the thread that runs it
  SpeechWorker worker;
  if (row.answers) held.Release();
  std::future<EngineResult> call = std::async(std::launch::async, [&] { return worker.Call(held.Task(), milliseconds(200)); });
  const ReleaseAtEnd releaseAtEnd(held);
  ASSERT_EQ(call.wait_for(kWatchdog), std::future_status::ready) << "the call waited for ever";
  const EngineResult result = call.get();
  EXPECT_EQ(result.code, row.code);
  EXPECT_EQ(result.description, row.description);
  EXPECT_EQ(held.Finished(), row.answers);
  if (!row.answers) {
    // The task goes on after the caller gave up, and finishes when it can.
    EXPECT_TRUE(worker.Pending());
    held.Release();
    worker.WaitUntilDone();
    EXPECT_TRUE(held.Finished());
  }
  // The thread serves the next call as usual.
  EXPECT_EQ(worker.Call([] { return EngineResult{S_OK_RESULT, "next"}; }, milliseconds(5000)).description, "next");
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpeechWorkerDeadlineTest,
    ::testing::Values(DeadlineCase{"Answers", true, S_OK_RESULT, "answered"},
                      DeadlineCase{"NeverAnswers", false, SPEECH_NO_ANSWER_RESULT,
                                   "The speech thread did not answer in time"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Workers whose thread was left behind must outlive it; they stay here.
std::vector<SpeechWorker*>* leftBehind = new std::vector<SpeechWorker*>;

struct FinishCase {
  const char* name;
  int tasksBefore;  // quick tasks queued before Finish
  bool held;        // a task that never ends runs when Finish is called
  bool endsInTime;
};

class SpeechWorkerFinishTest : public ::testing::TestWithParam<FinishCase> {};

TEST_P(SpeechWorkerFinishTest, EndsWithinItsBoundOrLeavesTheThreadBehind) {
  const FinishCase& row = GetParam();
  HeldTask held;  // first: it outlives the thread that runs it
  auto worker = std::make_unique<SpeechWorker>();
  const ReleaseAtEnd releaseAtEnd(held);
  if (row.held) {
    auto task = held.Task();
    worker->Post([task] { task(); });
    held.WaitUntilStarted();
  }
  std::atomic<int> ran{0};
  for (int i = 0; i < row.tasksBefore; ++i) worker->Post([&ran] { ++ran; });

  std::future<bool> finish = std::async(std::launch::async, [&] { return worker->Finish(milliseconds(300)); });
  ASSERT_EQ(finish.wait_for(kWatchdog), std::future_status::ready) << "Finish waited for ever";
  EXPECT_EQ(finish.get(), row.endsInTime);
  if (row.endsInTime) {
    EXPECT_EQ(ran.load(), row.tasksBefore) << "what was queued runs before the thread ends";
    worker.reset();
    return;
  }
  EXPECT_FALSE(held.Finished());
  // Let go, the thread finishes its task and ends without running more.
  held.Release();
  for (int tries = 0; tries < 3000 && !held.Finished(); ++tries) std::this_thread::sleep_for(milliseconds(10));
  EXPECT_TRUE(held.Finished());
  std::this_thread::sleep_for(milliseconds(100));
  EXPECT_EQ(ran.load(), 0) << "a thread left behind ran what was queued after Finish";
  leftBehind->push_back(worker.release());
}

INSTANTIATE_TEST_SUITE_P(Table, SpeechWorkerFinishTest,
                         ::testing::Values(FinishCase{"Idle", 0, false, true},
                                           FinishCase{"QuickTasksQueued", 3, false, true},
                                           FinishCase{"HeldByATask", 0, true, false},
                                           FinishCase{"HeldWithTasksQueued", 2, true, false}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace zembrot
