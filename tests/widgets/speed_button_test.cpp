#include "widgets/speed_button.h"

#include <vector>

#include <gtest/gtest.h>

#include "widget_test_support.h"

namespace zembrot {
namespace {

using testing_support::SendMouse;

enum class Step { Press, Release, MoveOut, MoveIn, ReleaseOutside, RightPress, RightRelease };

struct ClickCase {
  const char* name;
  std::vector<Step> steps;
  int clicks;
};

class SpeedButtonClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(SpeedButtonClickTest, ClicksOnlyOnALeftReleaseInside) {
  QWidget window;
  window.resize(200, 100);
  auto* focused = new QWidget(&window);
  focused->setFocusPolicy(Qt::StrongFocus);
  auto* button = new TSpeedButton(&window);
  button->setGeometry(50, 50, 81, 25);
  testing_support::ShowActive(window);
  focused->setFocus();
  int clicks = 0;
  button->OnClick = [&](QObject* sender) {
    EXPECT_EQ(sender, button);
    ++clicks;
  };
  const QPoint inside(40, 12);
  const QPoint outside(40, 60);
  for (const Step step : GetParam().steps) {
    switch (step) {
      case Step::Press: SendMouse(*button, QEvent::MouseButtonPress, inside); break;
      case Step::Release: SendMouse(*button, QEvent::MouseButtonRelease, inside); break;
      case Step::MoveOut: SendMouse(*button, QEvent::MouseMove, outside); break;
      case Step::MoveIn: SendMouse(*button, QEvent::MouseMove, inside); break;
      case Step::ReleaseOutside: SendMouse(*button, QEvent::MouseButtonRelease, outside); break;
      case Step::RightPress: SendMouse(*button, QEvent::MouseButtonPress, inside, Qt::RightButton); break;
      case Step::RightRelease: SendMouse(*button, QEvent::MouseButtonRelease, inside, Qt::RightButton); break;
    }
  }
  EXPECT_EQ(clicks, GetParam().clicks) << GetParam().name;
  EXPECT_FALSE(button->Pressed()) << GetParam().name;
  // The button never takes the focus.
  EXPECT_TRUE(focused->hasFocus()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, SpeedButtonClickTest,
    ::testing::Values(ClickCase{"click", {Step::Press, Step::Release}, 1},
                      ClickCase{"released outside", {Step::Press, Step::ReleaseOutside}, 0},
                      ClickCase{"out and back in", {Step::Press, Step::MoveOut, Step::MoveIn, Step::Release}, 1},
                      ClickCase{"release alone", {Step::Release}, 0},
                      ClickCase{"right button", {Step::RightPress, Step::RightRelease}, 0},
                      ClickCase{"two clicks", {Step::Press, Step::Release, Step::Press, Step::Release}, 2}));

TEST(SpeedButton, PressedLookFollowsThePointer) {
  TSpeedButton button;
  button.resize(81, 25);
  SendMouse(button, QEvent::MouseButtonPress, QPoint(10, 10));
  EXPECT_TRUE(button.Pressed());
  SendMouse(button, QEvent::MouseMove, QPoint(10, 90));
  EXPECT_FALSE(button.Pressed());
  SendMouse(button, QEvent::MouseMove, QPoint(10, 10));
  EXPECT_TRUE(button.Pressed());
  EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
}

TEST(SpeedButton, CaptionShiftsWhilePressed) {
  // Drawn pressed, the caption moves one pixel right and down.
  TSpeedButton button;
  button.resize(81, 25);
  button.SetCaption("I");
  button.Font().SetHeight(-19);
  button.Font().SetColor(RGB(255, 0, 0));
  auto inkBox = [&] {
    const QImage image = testing_support::Render(button);
    QRect ink;
    for (int x = 0; x < image.width(); ++x) {
      for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ink |= QRect(x, y, 1, 1);
      }
    }
    return ink;
  };
  const QRect up = inkBox();
  SendMouse(button, QEvent::MouseButtonPress, QPoint(10, 10));
  const QRect down = inkBox();
  ASSERT_FALSE(up.isEmpty());
  EXPECT_EQ(down.topLeft(), up.topLeft() + QPoint(1, 1));
}

}  // namespace
}  // namespace zembrot
