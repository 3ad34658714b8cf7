#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot {
namespace {

constexpr TColor kFontColor = RGB(0, 0, 200);
constexpr TColor kBlinkColor = RGB(255, 0, 0);

class BlinkSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(TZbBlinkingControlsList::Instance(), nullptr) << "a label outlived its test"; }

  std::unique_ptr<TZbLabel> MakeLabel() {
    auto label = std::make_unique<TZbLabel>(&panel_);
    label->Font().SetColor(kFontColor);
    label->SetBlinkColor(kBlinkColor);
    return label;
  }

  static TZbBlinkingControlsList& Scheduler() { return *TZbBlinkingControlsList::Instance(); }

  TZbPanel panel_;
};

TEST_F(BlinkSchedulerTest, LivesFromTheFirstLabelToTheLast) {
  auto first = MakeLabel();
  TZbBlinkingControlsList* scheduler = TZbBlinkingControlsList::Instance();
  ASSERT_NE(scheduler, nullptr);
  EXPECT_EQ(scheduler->Phase(), 1);
  EXPECT_EQ(scheduler->BlinkIntervalOn(), 500u);
  EXPECT_EQ(scheduler->BlinkIntervalOff(), 500u);
  EXPECT_TRUE(scheduler->TimerActive());
  EXPECT_EQ(scheduler->TimerInterval(), 500);

  auto second = MakeLabel();
  EXPECT_EQ(TZbBlinkingControlsList::Instance(), scheduler);
  EXPECT_EQ(scheduler->ControlCount(), 2u);
  first.reset();
  EXPECT_EQ(TZbBlinkingControlsList::Instance(), scheduler);
  EXPECT_EQ(scheduler->ControlCount(), 1u);
  second.reset();
  EXPECT_EQ(TZbBlinkingControlsList::Instance(), nullptr);
}

TEST_F(BlinkSchedulerTest, ANewSchedulerStartsAfresh) {
  {
    auto label = MakeLabel();
    label->SetBlinkIntervalOn(100);
    label->SetBlinkIntervalOff(200);
    Scheduler().Fire();
    EXPECT_EQ(Scheduler().Phase(), 0);
  }
  auto label = MakeLabel();
  EXPECT_EQ(Scheduler().Phase(), 1);
  EXPECT_EQ(label->BlinkIntervalOn(), 500u);
  EXPECT_EQ(label->BlinkIntervalOff(), 500u);
  EXPECT_EQ(Scheduler().TimerInterval(), 500);
}

TEST_F(BlinkSchedulerTest, PhasesAlternateWithTheirOwnIntervals) {
  auto label = MakeLabel();
  // Shared by all labels, applied when the timer is next armed.
  label->SetBlinkIntervalOn(300);
  label->SetBlinkIntervalOff(700);
  EXPECT_EQ(Scheduler().TimerInterval(), 500);
  const struct {
    int phase;
    int interval;
  } firings[] = {{0, 700}, {1, 300}, {0, 700}, {1, 300}};
  for (const auto& expected : firings) {
    Scheduler().Fire();
    EXPECT_EQ(Scheduler().Phase(), expected.phase);
    EXPECT_EQ(Scheduler().TimerInterval(), expected.interval);
    EXPECT_TRUE(Scheduler().TimerActive());
  }
}

TEST_F(BlinkSchedulerTest, IntervalsAreSixteenBitValues) {
  auto label = MakeLabel();
  label->SetBlinkIntervalOn(65536 + 250);
  EXPECT_EQ(label->BlinkIntervalOn(), 250u);
}

TEST_F(BlinkSchedulerTest, BlinkingLabelFollowsThePhasesFromTheNextBlinkColourPhase) {
  auto label = MakeLabel();
  label->SetBlinking(true);
  // Only the flag changed.
  EXPECT_EQ(label->DrawingColor(), kFontColor);
  const TColor expected[] = {kFontColor, kBlinkColor, kFontColor, kBlinkColor};
  for (const TColor color : expected) {
    Scheduler().Fire();
    EXPECT_EQ(label->DrawingColor(), color) << "phase " << Scheduler().Phase();
  }
  // Stopping during a blink-colour phase goes back to the resting colour at once.
  ASSERT_EQ(label->DrawingColor(), kBlinkColor);
  label->SetBlinking(false);
  EXPECT_EQ(label->DrawingColor(), kFontColor);
  Scheduler().Fire();
  Scheduler().Fire();
  EXPECT_EQ(label->DrawingColor(), kFontColor);
}

TEST_F(BlinkSchedulerTest, LabelsMadeToBlinkAtDifferentMomentsSwitchTogether) {
  auto early = MakeLabel();
  auto late = MakeLabel();
  auto still = MakeLabel();
  early->SetBlinking(true);
  Scheduler().Fire();  // font-colour phase
  late->SetBlinking(true);
  for (int firing = 0; firing < 4; ++firing) {
    Scheduler().Fire();
    EXPECT_EQ(early->DrawingColor(), late->DrawingColor()) << firing;
    EXPECT_EQ(still->DrawingColor(), kFontColor) << firing;
  }
}

TEST_F(BlinkSchedulerTest, FontColourWrittenWhileBlinkingShowsOnlyAfterTheNextFontChange) {
  auto label = MakeLabel();
  label->SetBlinking(true);
  label->Font().SetColor(RGB(0, 128, 0));
  EXPECT_EQ(label->RestingColor(), kFontColor);
  Scheduler().Fire();
  EXPECT_EQ(label->DrawingColor(), kFontColor);
  Scheduler().Fire();
  EXPECT_EQ(label->DrawingColor(), kBlinkColor);
  label->Font().SetSize(72);  // celebrated while blinking: colour unchanged
  EXPECT_EQ(label->DrawingColor(), kBlinkColor);
  label->SetBlinking(false);
  EXPECT_EQ(label->DrawingColor(), kFontColor);
  label->Font().SetSize(20);
  EXPECT_EQ(label->RestingColor(), RGB(0, 128, 0));
  EXPECT_EQ(label->DrawingColor(), RGB(0, 128, 0));
}

TEST_F(BlinkSchedulerTest, BlinkingTrueTwiceChangesNothing) {
  auto label = MakeLabel();
  label->SetBlinking(true);
  Scheduler().Fire();
  Scheduler().Fire();
  ASSERT_EQ(label->DrawingColor(), kBlinkColor);
  label->SetBlinking(true);
  EXPECT_EQ(label->DrawingColor(), kBlinkColor);
  EXPECT_TRUE(label->Blinking());
}

TEST_F(BlinkSchedulerTest, TheTimerDrivesTheFiringsOnTheEventLoop) {
  auto label = MakeLabel();
  label->SetBlinkIntervalOff(20);
  label->SetBlinkIntervalOn(20);
  label->SetBlinking(true);
  Scheduler().Fire();  // re-arm with the short interval
  const int phase = Scheduler().Phase();
  QElapsedTimer clock;
  clock.start();
  while (Scheduler().Phase() == phase && clock.elapsed() < 3000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_NE(Scheduler().Phase(), phase);
}

}  // namespace
}  // namespace zembrot
