// TTimer: which assignments restart the countdown, Interval 0, coalesced
// overdue ticks, and a failing handler that does not stop the timer.

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "frame/application.h"
#include "frame/timer.h"
#include "frame_test_support.h"

namespace zembrot {
namespace {

using testing_support::RunEventsFor;
using testing_support::RunEventsUntil;

struct RestartCase {
  const char* name;
  std::function<void(TTimer&)> change;
  bool restarted;     // the countdown begins afresh
  bool counting;      // the timer runs after the change
  bool enabledAfter;  // Enabled as read back
};

TEST(TimerTest, ChangesRestartTheCountdownAndSameValuesDoNot) {
  const auto handler = [](QObject*) {};
  const std::vector<RestartCase> cases = {
      {"same interval", [](TTimer& timer) { timer.SetInterval(1000); }, false, true, true},
      {"other interval", [](TTimer& timer) { timer.SetInterval(1500); }, true, true, true},
      {"enabled again", [](TTimer& timer) { timer.SetEnabled(true); }, false, true, true},
      {"disabled", [](TTimer& timer) { timer.SetEnabled(false); }, false, false, false},
      {"disabled and enabled",
       [](TTimer& timer) {
         timer.SetEnabled(false);
         timer.SetEnabled(true);
       },
       true, true, true},
      {"new handler", [handler](TTimer& timer) { timer.SetOnTimer(handler); }, true, true, true},
      {"handler removed", [](TTimer& timer) { timer.SetOnTimer(nullptr); }, false, false, true},
      {"interval 0", [](TTimer& timer) { timer.SetInterval(0); }, false, false, true},
      {"interval 0 and back",
       [](TTimer& timer) {
         timer.SetInterval(0);
         timer.SetInterval(1000);
       },
       true, true, true},
  };
  for (const RestartCase& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    TTimer timer;
    timer.SetInterval(1000);
    timer.SetOnTimer(handler);
    ASSERT_TRUE(timer.Counting());
    RunEventsFor(80);
    const int before = timer.RemainingTime();
    ASSERT_GE(before, 0);
    ASSERT_LE(before, 960);
    testCase.change(timer);
    EXPECT_EQ(timer.Counting(), testCase.counting);
    EXPECT_EQ(timer.Enabled(), testCase.enabledAfter);
    if (testCase.counting) {
      const int after = timer.RemainingTime();
      if (testCase.restarted) {
        EXPECT_GT(after, before + 20);
      } else {
        EXPECT_LE(after, before);
      }
    }
  }
}

TEST(TimerTest, StartsOnlyWithEnabledIntervalAndHandler) {
  struct Case {
    const char* name;
    bool enabled;
    unsigned interval;
    bool withHandler;
    bool counting;
  };
  const std::vector<Case> cases = {
      {"all set", true, 50, true, true},          {"disabled", false, 50, true, false},
      {"interval 0", true, 0, true, false},       {"no handler", true, 50, false, false},
      {"nothing set", false, 0, false, false},
  };
  for (const Case& testCase : cases) {
    TTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Counting()) << "a timer without handler does not count";
    timer.SetEnabled(testCase.enabled);
    timer.SetInterval(testCase.interval);
    if (testCase.withHandler) timer.SetOnTimer([](QObject*) {});
    EXPECT_EQ(timer.Counting(), testCase.counting) << testCase.name;
    EXPECT_EQ(timer.HasOnTimer(), testCase.withHandler) << testCase.name;
  }
}

TEST(TimerTest, IntervalZeroGivesNoTicksWhileEnabled) {
  TTimer timer;
  int ticks = 0;
  timer.SetInterval(0);
  timer.SetOnTimer([&](QObject*) { ++ticks; });
  RunEventsFor(60);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(timer.Enabled());
  timer.SetInterval(10);
  EXPECT_TRUE(RunEventsUntil([&] { return ticks >= 2; }));
}

TEST(TimerTest, TickNamesTheTimerAsSender) {
  TTimer timer;
  QObject* sender = nullptr;
  timer.SetInterval(5);
  timer.SetOnTimer([&](QObject* from) { sender = from; });
  ASSERT_TRUE(RunEventsUntil([&] { return sender != nullptr; }));
  EXPECT_EQ(sender, &timer);
}

TEST(TimerTest, OverdueTicksAreNotQueued) {
  TTimer timer;
  int ticks = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](QObject*) { ++ticks; });
  // The thread is busy for ten intervals...
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  // ...and then takes its messages twice without waiting.
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(ticks, 1);
}

TEST(TimerTest, FailingHandlerIsReportedAndTheTimerKeepsTicking) {
  testing_support::RecordedErrors errors;
  TTimer timer;
  int ticks = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](QObject*) {
    ++ticks;
    throw std::runtime_error("tick " + std::to_string(ticks));
  });
  ASSERT_TRUE(RunEventsUntil([&] { return ticks >= 3; }));
  EXPECT_TRUE(timer.Counting());
  ASSERT_GE(errors.messages.size(), 3u);
  EXPECT_EQ(errors.messages[0], "tick 1");
  EXPECT_EQ(errors.messages[2], "tick 3");
}

TEST(TimerTest, HandlerMayStopOrReplaceItsOwnTimer) {
  TTimer timer;
  int firstTicks = 0;
  int secondTicks = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](QObject*) {
    ++firstTicks;
    timer.SetOnTimer([&](QObject*) {
      ++secondTicks;
      timer.SetEnabled(false);
    });
  });
  ASSERT_TRUE(RunEventsUntil([&] { return secondTicks >= 1; }));
  RunEventsFor(40);
  EXPECT_EQ(firstTicks, 1);
  EXPECT_EQ(secondTicks, 1);
  EXPECT_FALSE(timer.Counting());
}

TEST(TimerTest, TickComesNestedInsideItsOwnHandlersPump) {
  struct Case {
    const char* name;
    std::function<void(TTimer&)> beforePump;
    int nestedTicks;  // one only: the overdue ticks of the wait are not queued
  };
  const std::vector<Case> cases = {
      {"nothing changed", [](TTimer&) {}, 1},
      {"same interval again", [](TTimer& timer) { timer.SetInterval(20); }, 1},
      {"disabled", [](TTimer& timer) { timer.SetEnabled(false); }, 0},
      {"interval 0", [](TTimer& timer) { timer.SetInterval(0); }, 0},
      {"interval restarted", [](TTimer& timer) { timer.SetInterval(200); }, 0},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    TTimer timer;
    int depth = 0;
    int outerTicks = 0;
    int nestedTicks = 0;
    timer.SetInterval(20);
    timer.SetOnTimer([&](QObject*) {
      if (depth > 0) {
        ++nestedTicks;
        return;
      }
      ++depth;
      ++outerTicks;
      testCase.beforePump(timer);
      // Busy for three periods, then the handler takes what waits.
      std::this_thread::sleep_for(std::chrono::milliseconds(70));
      PumpPendingMessages();
      timer.SetEnabled(false);
      --depth;
    });
    ASSERT_TRUE(RunEventsUntil([&] { return outerTicks == 1 && depth == 0; }));
    EXPECT_EQ(nestedTicks, testCase.nestedTicks);
  }
}

TEST(TimerTest, ModalLoopOpenedByTheHandlerSeesTheTimerTick) {
  TTimer timer;
  int depth = 0;
  int nestedTicks = 0;
  bool done = false;
  std::chrono::milliseconds open{0};
  timer.SetInterval(10);
  timer.SetOnTimer([&](QObject*) {
    if (depth > 0) {
      ++nestedTicks;
      return;
    }
    ++depth;
    const auto opened = std::chrono::steady_clock::now();
    RunEventsFor(120);  // a notice left open for a while
    open = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - opened);
    timer.SetEnabled(false);
    --depth;
    done = true;
  });
  ASSERT_TRUE(RunEventsUntil([&] { return done; }));
  EXPECT_GE(nestedTicks, 3);
  // At most one tick per period the loop was really open: a busy machine
  // may keep it open longer than asked, but never queues ticks.
  EXPECT_LE(nestedTicks, open.count() / 10 + 1);
}

TEST(TimerTest, AnOpenErrorBoxDropsRepeatsOfItsOwnTimerOnly) {
  std::vector<std::string> shown;
  int failingTicks = 0;
  int ticksWhileOpen = 0;
  bool boxOpen = false;
  // The first box stays open for a while; the timers tick inside its loop.
  SetErrorReporter([&](const std::exception& error) {
    shown.emplace_back(error.what());
    if (shown.size() != 1) return;
    boxOpen = true;
    RunEventsFor(100);
    boxOpen = false;
  });
  TTimer failing;
  failing.SetInterval(5);
  failing.SetOnTimer([&](QObject*) {
    ++failingTicks;
    if (boxOpen) ++ticksWhileOpen;
    throw std::runtime_error("every tick");
  });
  TTimer other;
  other.SetInterval(40);
  other.SetOnTimer([&](QObject*) {
    other.SetEnabled(false);
    throw std::runtime_error("once");
  });
  const bool third = RunEventsUntil([&] { return shown.size() >= 3; });
  failing.SetEnabled(false);
  SetErrorReporter(nullptr);
  ASSERT_TRUE(third);
  EXPECT_GE(ticksWhileOpen, 3);
  EXPECT_EQ(shown, (std::vector<std::string>{"every tick", "once", "every tick"}));
}

TEST(TimerTest, DestroyingATimerStopsIt) {
  int ticks = 0;
  {
    TTimer timer;
    timer.SetInterval(5);
    timer.SetOnTimer([&](QObject*) { ++ticks; });
  }
  RunEventsFor(40);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace zembrot
