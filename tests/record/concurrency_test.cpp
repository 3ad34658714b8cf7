// Two windows on one record, a window killed and a disk that fills up:
// nothing lost, nothing broken.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include <QTemporaryDir>

#include "record/progress_store.h"
#include "record_test_support.h"

namespace zembrot::record {
namespace {

constexpr int kWritesEach = 300;

// One window's game: reviews of ten words the other window reviews too.
std::string Play(const QString& path, int window) {
  ProgressStore store;
  const OpenResult opened = store.Open(path);
  if (opened.outcome != OpenOutcome::Created && opened.outcome != OpenOutcome::Opened) {
    return "window " + std::to_string(window) + " could not open: " + opened.error.message;
  }
  const std::optional<std::int64_t> game = store.BeginGame("window " + std::to_string(window), 1717200000000);
  if (!game) return store.LastError().message;
  for (int i = 0; i < kWritesEach; ++i) {
    const bool recalled = (i + window) % 3 != 0;
    if (!store.RecordReview(game, "word" + std::to_string(i % 10), "词", recalled ? learning::Outcome::Recalled
                                                                             : learning::Outcome::Missed,
                            recalled ? learning::Grade::Good : learning::Grade::Again, {"chinese", 1, 1, false, false},
                            1717200000000 + i * 60000LL, 28800)) {
      return "window " + std::to_string(window) + " write " + std::to_string(i) + ": " + store.LastError().message;
    }
  }
  return store.EndGame(*game, 1717300000000) ? "" : store.LastError().message;
}

// The cache is what the log gives, and SQLite finds no damage.
void ExpectSound(ProgressStore& store, const QString& path) {
  const std::vector<StoredWord> words = *store.Words();
  ASSERT_TRUE(store.RebuildCache());
  EXPECT_EQ(*store.Words(), words);
  EXPECT_EQ(testing::Sql(path, {"PRAGMA integrity_check"}), std::vector<std::string>{"ok"});
}

TEST(TwoWindows, LoseNothingAsThreadsOrAsProcesses) {
  for (const bool processes : {false, true}) {
    SCOPED_TRACE(processes ? "two processes" : "two threads");
    QTemporaryDir folder;
    const QString path = folder.path() + "/progress.sqlite3";
    std::string first, second;
    if (processes) {
      const testing::ChildProcess one = testing::StartChildProcess([&] { return Play(path, 1); });
      const testing::ChildProcess two = testing::StartChildProcess([&] { return Play(path, 2); });
      first = testing::FinishChildProcess(one);
      second = testing::FinishChildProcess(two);
    } else {
      std::thread one([&] { first = Play(path, 1); });
      std::thread two([&] { second = Play(path, 2); });
      one.join();
      two.join();
    }
    EXPECT_EQ(first, "");
    EXPECT_EQ(second, "");
    ProgressStore store;
    ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Opened);
    EXPECT_EQ(store.ReviewCount(), 2 * kWritesEach);
    EXPECT_EQ(store.Words()->size(), 10u);
    ExpectSound(store, path);
  }
}

// A window stops in the middle of a game, killed or because the disk is full
// (a limit on file size stands in for it): every review it had finished is
// there, at most the one in flight is lost, a failing write is reported, and
// the record stays sound.
TEST(StoppedWindow, LosesAtMostTheWordInFlight) {
  for (const bool killed : {true, false}) {
    SCOPED_TRACE(killed ? "killed" : "disk full");
    QTemporaryDir folder;
    const QString path = folder.path() + "/progress.sqlite3";
    // The reviews the window has finished, counted where both processes see it.
    void* shared = mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    std::atomic<int>& finished = *new (shared) std::atomic<int>(0);
    const testing::ChildProcess window = testing::StartChildProcess([&]() -> std::string {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{1024 * 1024, 1024 * 1024};
      if (!killed && setrlimit(RLIMIT_FSIZE, &limit) != 0) return "no limit";
      ProgressStore store;
      if (store.Open(path).outcome != OpenOutcome::Created) return "not created";
      for (int i = 0; i < 100000; ++i, ++finished) {
        // Killed: fifty words over and over; disk full: a long new word each time.
        if (!store.RecordReview(std::nullopt, "word" + std::to_string(killed ? i % 50 : i),
                                killed ? std::string("词") : std::string(200, 'x'), learning::Outcome::Missed,
                                learning::Grade::Again, {}, 1717200000000 + i * 1000LL, 28800)) {
          const ErrorKind kind = store.LastError().kind;
          return kind == ErrorKind::DiskFull || kind == ErrorKind::Other ? "full" : store.LastError().message;
        }
      }
      return "never stopped";
    });
    for (int waited = 0; killed && finished < 200 && waited < 30000; ++waited) usleep(1000);
    if (killed) kill(window.pid, SIGKILL);
    EXPECT_EQ(testing::FinishChildProcess(window), killed ? "the child process failed: " : "full");
    const int reported = finished;
    munmap(shared, sizeof(std::atomic<int>));

    ProgressStore store;
    ASSERT_EQ(store.Open(path).outcome, OpenOutcome::Opened);
    const std::int64_t kept = *store.ReviewCount();
    EXPECT_GE(kept, reported);
    EXPECT_LE(kept, reported + (killed ? 1 : 0));
    if (!killed) {
      EXPECT_GT(reported, 10);
      EXPECT_EQ(store.Words()->size(), static_cast<std::size_t>(reported));
    }
    ExpectSound(store, path);
  }
}

}  // namespace
}  // namespace zembrot::record
