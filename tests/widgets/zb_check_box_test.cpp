#include "widgets/zb_check_box.h"

#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QPaintEvent>
#include <QTest>

#include "widget_test_support.h"

namespace zembrot {
namespace {

using testing_support::PixelAt;
using testing_support::SendKey;
using testing_support::SendMouse;

constexpr TColor kBackground = RGB(100, 100, 100);
constexpr TColor kFrame = RGB(1, 2, 3);
constexpr TColor kFill = RGB(250, 250, 250);
constexpr TColor kFocus = RGB(240, 240, 200);
constexpr TColor kMark = RGB(0, 0, 200);
constexpr TColor kPaletteShadow = RGB(128, 128, 128);  // clBtnShadow of the test palette
constexpr TColor kPaletteFace = RGB(212, 208, 200);    // clBtnFace
constexpr TColor kPaletteGray = RGB(109, 109, 109);    // clGrayText

// The check mark, as (column, row) offsets from the box's top-left pixel.
const std::set<std::pair<int, int>> kCheckMark = {
    {3, 5}, {3, 6}, {3, 7}, {4, 6}, {4, 7}, {4, 8}, {5, 7}, {5, 8}, {5, 9}, {6, 6}, {6, 7},
    {6, 8}, {7, 5}, {7, 6}, {7, 7}, {8, 4}, {8, 5}, {8, 6}, {9, 3}, {9, 4}, {9, 5}};

// Counts paints and remembers the area of the last one.
class CountingCheckBox : public TZbCheckBox {
 public:
  using TZbCheckBox::TZbCheckBox;
  int paints = 0;
  QRect lastPaintArea;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paints;
    lastPaintArea = event->rect();
    TZbCheckBox::paintEvent(event);
  }
};

class CheckBoxTest : public ::testing::Test {
 protected:
  CheckBoxTest() {
    // Away from the pointer's resting place, so that showing it hovers nothing.
    window_.setGeometry(60, 300, 700, 60);
    box_ = new CountingCheckBox(&window_);
    box_->setGeometry(0, 0, 585, 25);
    box_->SetHotTrack(true);
    box_->SetTabStop(false);
    box_->SetColor(kBackground);
    box_->SetFrameColor(kFrame);
    box_->SetFillColor(kFill);
    box_->SetFocusColor(kFocus);
    box_->SetHighlightColor(kMark);
    box_->SetCaption("caption");
  }

  QImage Render() { return testing_support::Render(*box_); }

  bool ShowActive() { return testing_support::ShowActive(window_); }

  void Hover() {
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(box_->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(box_, &event);
  }

  void Click(QPoint at = QPoint(5, 5)) {
    SendMouse(*box_, QEvent::MouseButtonPress, at);
    SendMouse(*box_, QEvent::MouseButtonRelease, at);
  }

  // Every pixel of the 13 x 13 box: the outline, then mark or interior.
  void ExpectBox(const QImage& image, TColor frame, TColor interior, TColor mark,
                 const std::set<std::pair<int, int>>& markPixels) {
    const QRect box = box_->BoxRect();
    for (int column = 0; column < 13; ++column) {
      for (int row = 0; row < 13; ++row) {
        const bool outline = column == 0 || row == 0 || column == 12 || row == 12;
        const TColor expected = outline                                 ? frame
                                : markPixels.count({column, row}) != 0 ? mark
                                                                        : interior;
        ASSERT_EQ(PixelAt(image, box.left() + column, box.top() + row), expected)
            << "column " << column << " row " << row;
      }
    }
  }

  static std::set<std::pair<int, int>> GrayedBlock() {
    std::set<std::pair<int, int>> block;
    for (int column = 3; column <= 9; ++column) {
      for (int row = 3; row <= 9; ++row) block.insert({column, row});
    }
    return block;
  }

  testing_support::ScopedPalette palette_;
  QWidget window_;
  CountingCheckBox* box_;
};

struct BoxLookCase {
  TCheckBoxState state;
  bool enabled;
};

class CheckBoxLookTest : public CheckBoxTest, public ::testing::WithParamInterface<BoxLookCase> {};

TEST_P(CheckBoxLookTest, BoxHasItsOutlineInteriorAndMark) {
  const BoxLookCase& c = GetParam();
  box_->SetState(c.state);
  box_->SetEnabled(c.enabled);
  std::set<std::pair<int, int>> mark;
  if (c.state == TCheckBoxState::cbChecked) mark = kCheckMark;
  if (c.state == TCheckBoxState::cbGrayed) mark = GrayedBlock();
  // Disabled: button-face interior, button-shadow mark, same outline.
  ExpectBox(Render(), kFrame, c.enabled ? kFill : kPaletteFace, c.enabled ? kMark : kPaletteShadow, mark);
}

INSTANTIATE_TEST_SUITE_P(CheckBox, CheckBoxLookTest,
                         ::testing::Values(BoxLookCase{TCheckBoxState::cbUnchecked, true},
                                           BoxLookCase{TCheckBoxState::cbChecked, true},
                                           BoxLookCase{TCheckBoxState::cbGrayed, true},
                                           BoxLookCase{TCheckBoxState::cbUnchecked, false},
                                           BoxLookCase{TCheckBoxState::cbChecked, false},
                                           BoxLookCase{TCheckBoxState::cbGrayed, false}));

TEST_F(CheckBoxTest, CheckMarkHasTwentyOnePixels) { EXPECT_EQ(kCheckMark.size(), 21u); }

TEST_F(CheckBoxTest, BackgroundSurroundsTheBox) {
  const QImage image = Render();
  const QPoint background[] = {{0, 0}, {12, 1}, {13, 2}, {16, 10}, {0, 15}, {6, 24}, {584, 0}, {584, 24}};
  for (const QPoint& at : background) EXPECT_EQ(PixelAt(image, at.x(), at.y()), kBackground) << at.x() << "," << at.y();
}

TEST_F(CheckBoxTest, DefaultLooks) {
  TZbCheckBox plain;
  EXPECT_EQ(plain.HotTrackColor(), RGB(240, 155, 20));
  EXPECT_EQ(plain.FrameColor(), clBtnShadow);
  EXPECT_EQ(plain.FillColor(), clWindow);
  EXPECT_EQ(plain.FocusColor(), clWindow);
  EXPECT_EQ(plain.DisabledColor(), clBtnFace);
  EXPECT_EQ(plain.HighlightColor(), clHighlight);
  EXPECT_EQ(plain.ReadOnlyColor(), clInfoBk);
  EXPECT_EQ(plain.Color(), clWindow);
  EXPECT_EQ(plain.State(), TCheckBoxState::cbUnchecked);
  EXPECT_FALSE(plain.HotTrack());
  // On a form-like parent it takes the window's colour.
  EXPECT_EQ(TZbCheckBox(&window_).Color(), clBtnFace);
}

struct GeometryCase {
  TAlignment alignment;
  TVerticalAlignment vertical;
  QRect box;
  QRect caption;
};

class CheckBoxGeometryTest : public CheckBoxTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(CheckBoxGeometryTest, PlacesBoxAndCaption) {
  box_->SetAlignment(GetParam().alignment);
  box_->SetAlignmentVertical(GetParam().vertical);
  EXPECT_EQ(box_->BoxRect(), GetParam().box);
  EXPECT_EQ(box_->CaptionRect(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    CheckBox, CheckBoxGeometryTest,
    ::testing::Values(
        // (18, 1) to (584, 24), right and bottom exclusive: 566 pixels wide.
        GeometryCase{TAlignment::taRightJustify, TVerticalAlignment::avTop, {0, 2, 13, 13}, {18, 1, 566, 23}},
        GeometryCase{TAlignment::taRightJustify, TVerticalAlignment::avCenter, {0, 6, 13, 13}, {18, 1, 566, 23}},
        GeometryCase{TAlignment::taRightJustify, TVerticalAlignment::avBottom, {0, 10, 13, 13}, {18, 1, 566, 23}},
        GeometryCase{TAlignment::taLeftJustify, TVerticalAlignment::avTop, {572, 2, 13, 13}, {1, 1, 566, 23}}));

TEST_F(CheckBoxTest, HotBoxHasAGradientRingBetweenTheHotColours) {
  Hover();
  ASSERT_EQ(box_->DrawState(), TCheckBoxDrawState::Hot);
  EXPECT_EQ(box_->DarkHotColor(), RGB(240, 155, 20));
  EXPECT_EQ(box_->LightHotColor(), RGB(251, 230, 195));
  const QImage image = Render();
  const QRect box = box_->BoxRect();
  auto at = [&](int column, int row) { return QColor(ToQColor(PixelAt(image, box.left() + column, box.top() + row))); };
  auto near = [](QColor a, TColor b, int tolerance) {
    const QColor c = ToQColor(b);
    return std::abs(a.red() - c.red()) <= tolerance && std::abs(a.green() - c.green()) <= tolerance &&
           std::abs(a.blue() - c.blue()) <= tolerance;
  };
  // Dark at the top-left, light at the bottom-right, shaded between.
  EXPECT_TRUE(near(at(1, 1), box_->DarkHotColor(), 20));
  EXPECT_TRUE(near(at(11, 11), box_->LightHotColor(), 20));
  EXPECT_LT(at(1, 1).green(), at(6, 2).green());
  EXPECT_LT(at(6, 2).green(), at(11, 11).green());
  // The ring is two pixels wide; inside it the interior stays.
  for (int ring : {1, 2, 10, 11}) {
    EXPECT_NE(PixelAt(image, box.left() + ring, box.top() + 6), kFill) << ring;
    EXPECT_NE(PixelAt(image, box.left() + 6, box.top() + ring), kFill) << ring;
  }
  for (int inner = 3; inner <= 9; ++inner) EXPECT_EQ(PixelAt(image, box.left() + inner, box.top() + inner), kFill);
  EXPECT_EQ(PixelAt(image, box.left(), box.top()), kFrame);
}

TEST_F(CheckBoxTest, HotFrameStyleDrawsTwoOutlinesInTheDarkHotColour) {
  box_->SetHotTrackStyle(THotTrackStyle::htsFrame);
  box_->SetHotTrackColor(RGB(200, 50, 0));
  Hover();
  const QImage image = Render();
  const QRect box = box_->BoxRect();
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(PixelAt(image, box.left() + i, box.top()), RGB(200, 50, 0));
    if (i >= 1 && i <= 11) {
      EXPECT_EQ(PixelAt(image, box.left() + i, box.top() + 1), RGB(200, 50, 0));
    }
  }
  EXPECT_EQ(PixelAt(image, box.left() + 2, box.top() + 2), kFill);
}

TEST_F(CheckBoxTest, ComplementHotColoursUseTheOppositeHue) {
  box_->SetHotTrackColorType(THotTrackColorType::htctComplement);
  EXPECT_EQ(box_->LightHotColor(), RGB(128, 173, 255));
  EXPECT_EQ(box_->DarkHotColor(), RGB(64, 128, 255));
}

TEST_F(CheckBoxTest, ReadOnlyInteriorAndColourOnFocus) {
  box_->SetReadOnly(true);
  box_->SetReadOnlyColor(RGB(255, 255, 200));
  ExpectBox(Render(), kFrame, RGB(255, 255, 200), kMark, {});
  ASSERT_TRUE(ShowActive());
  box_->setFocus();
  ExpectBox(Render(), kFrame, kFocus, kMark, {});
  box_->SetReadOnlyColorOnFocus(true);
  ExpectBox(Render(), kFrame, RGB(255, 255, 200), kMark, {});
}

TEST_F(CheckBoxTest, FocusedAndPressedInteriors) {
  ASSERT_TRUE(ShowActive());
  box_->setFocus();
  ExpectBox(Render(), kFrame, kFocus, kMark, {});
  SendMouse(*box_, QEvent::MouseButtonPress, QPoint(5, 5));
  ASSERT_EQ(box_->DrawState(), TCheckBoxDrawState::Pressed);
  ExpectBox(Render(), kFrame, LowerLightness(kFocus, 20), kMark, {});
  SendMouse(*box_, QEvent::MouseButtonRelease, QPoint(5, 5));
}

TEST_F(CheckBoxTest, FocusFrameIsDottedAroundTheCaption) {
  ASSERT_TRUE(ShowActive());
  box_->setFocus();
  const QImage image = Render();
  const QRgb black = qRgb(0, 0, 0);
  // From x = 17, every second pixel starting one pixel in.
  EXPECT_EQ(image.pixel(18, 0), black);
  EXPECT_EQ(image.pixel(20, 0), black);
  EXPECT_NE(image.pixel(19, 0), black);
  EXPECT_NE(image.pixel(17, 0), black);
  EXPECT_EQ(image.pixel(17, 1), black);
  EXPECT_EQ(image.pixel(17, 3), black);
  EXPECT_NE(image.pixel(17, 2), black);
  EXPECT_EQ(image.pixel(18, 24), black);
  // The frame is as wide as the caption plus 3, far short of the control.
  EXPECT_NE(image.pixel(500, 0), black);

  // No frame around a caption of only spaces, nor without the focus.
  box_->SetCaption("   ");
  EXPECT_NE(Render().pixel(18, 0), black);
  box_->SetCaption("caption");
  box_->clearFocus();
  EXPECT_NE(Render().pixel(18, 0), black);
}

// Pixels of the caption area that are not background.
std::vector<QColor> CaptionInk(const QImage& image, const QRect& area, TColor background) {
  std::vector<QColor> ink;
  for (int x = area.left(); x <= area.right(); ++x) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      if (PixelAt(image, x, y) != background) ink.push_back(image.pixelColor(x, y));
    }
  }
  return ink;
}

TEST_F(CheckBoxTest, CaptionIsFontColouredWhenEnabledAndGrayWhenDisabled) {
  box_->SetColor(clBlack);
  box_->Font().SetColor(RGB(255, 0, 0));
  box_->Font().SetHeight(-19);
  const QRect area(18, 0, 300, 25);
  const auto enabledInk = CaptionInk(Render(), area, clBlack);
  ASSERT_FALSE(enabledInk.empty());
  for (const QColor& c : enabledInk) ASSERT_TRUE(c.green() == 0 && c.blue() == 0 && c.red() > 0);
  box_->SetEnabled(false);
  const auto disabledInk = CaptionInk(Render(), area, clBlack);
  ASSERT_FALSE(disabledInk.empty());
  for (const QColor& c : disabledInk) ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue());
  bool full = false;
  for (const QColor& c : disabledInk) full = full || FromQColor(c) == kPaletteGray;
  EXPECT_TRUE(full);
}

TEST_F(CheckBoxTest, WithAcceleratorsOffEveryAmpersandIsText) {
  box_->SetColor(clBlack);
  box_->Font().SetColor(RGB(255, 0, 0));
  box_->Font().SetHeight(-19);
  const auto rightmostInk = [this](const std::string& caption) {
    box_->SetCaption(caption);
    const QImage image = Render();
    for (int x = 300; x >= 18; --x) {
      if (!CaptionInk(image, QRect(x, 0, 1, 25), clBlack).empty()) return x;
    }
    return -1;
  };
  const int plain = rightmostInk("ab");
  EXPECT_LE(rightmostInk("a&b"), plain + 1);  // "&" underlines the b
  box_->SetShowAccelChar(false);
  EXPECT_GT(rightmostInk("a&b"), plain + 4);
  box_->SetCaption("&Hint");
  ASSERT_TRUE(ShowActive());
  QTest::keyClick(&window_, Qt::Key_H, Qt::AltModifier);
  EXPECT_FALSE(box_->Checked());
}

TEST_F(CheckBoxTest, LongCaptionWrapsInsideItsRectangle) {
  box_->SetColor(clBlack);
  box_->Font().SetColor(RGB(255, 0, 0));
  box_->Font().SetHeight(-19);
  std::string longCaption;
  for (int word = 0; word < 60; ++word) longCaption += "word ";
  box_->SetCaption(longCaption);
  const QImage image = Render();
  EXPECT_TRUE(CaptionInk(image, QRect(584, 0, 1, 25), clBlack).empty());
  EXPECT_FALSE(CaptionInk(image, QRect(500, 0, 84, 20), clBlack).empty());
}

struct ToggleCase {
  TCheckBoxState from;
  bool allowGrayed;
  TCheckBoxState to;
};

class CheckBoxToggleTest : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(CheckBoxToggleTest, FollowsTheToggleRule) {
  TZbCheckBox box;
  box.SetState(GetParam().from);
  box.SetAllowGrayed(GetParam().allowGrayed);
  box.Toggle();
  EXPECT_EQ(box.State(), GetParam().to);
  EXPECT_EQ(box.Checked(), GetParam().to == TCheckBoxState::cbChecked);
}

INSTANTIATE_TEST_SUITE_P(
    CheckBox, CheckBoxToggleTest,
    ::testing::Values(ToggleCase{TCheckBoxState::cbUnchecked, false, TCheckBoxState::cbChecked},
                      ToggleCase{TCheckBoxState::cbUnchecked, true, TCheckBoxState::cbGrayed},
                      ToggleCase{TCheckBoxState::cbChecked, false, TCheckBoxState::cbUnchecked},
                      ToggleCase{TCheckBoxState::cbChecked, true, TCheckBoxState::cbUnchecked},
                      ToggleCase{TCheckBoxState::cbGrayed, false, TCheckBoxState::cbChecked},
                      ToggleCase{TCheckBoxState::cbGrayed, true, TCheckBoxState::cbChecked}));

TEST(CheckBoxState, CheckedIsTrueOnlyForChecked) {
  TZbCheckBox box;
  int clicks = 0;
  box.OnClick = [&](QObject* sender) {
    EXPECT_EQ(sender, &box);
    ++clicks;
  };
  box.SetState(TCheckBoxState::cbGrayed);
  EXPECT_FALSE(box.Checked());
  box.SetChecked(true);
  EXPECT_EQ(box.State(), TCheckBoxState::cbChecked);
  box.SetChecked(true);
  box.SetChecked(false);
  EXPECT_EQ(box.State(), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(clicks, 3);  // one per real change of State
}

enum class Step { Press, Release, MoveOut, MoveIn, ReleaseOutside, SpaceDown, SpaceUp, EscapeDown };

struct InputCase {
  const char* name;
  std::vector<Step> steps;
  bool enabled;
  bool readOnly;
  bool toggles;
};

class CheckBoxInputTest : public CheckBoxTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(CheckBoxInputTest, TogglesOnlyByTheRules) {
  const InputCase& c = GetParam();
  ASSERT_TRUE(ShowActive());
  box_->SetReadOnly(c.readOnly);
  if (c.enabled) box_->setFocus();
  box_->SetEnabled(c.enabled);
  const QPoint inside(300, 10);
  const QPoint outside(300, 40);
  for (const Step step : c.steps) {
    switch (step) {
      case Step::Press: SendMouse(*box_, QEvent::MouseButtonPress, inside); break;
      case Step::Release: SendMouse(*box_, QEvent::MouseButtonRelease, inside); break;
      case Step::MoveOut: SendMouse(*box_, QEvent::MouseMove, outside); break;
      case Step::MoveIn: SendMouse(*box_, QEvent::MouseMove, inside); break;
      case Step::ReleaseOutside: SendMouse(*box_, QEvent::MouseButtonRelease, outside); break;
      case Step::SpaceDown: SendKey(*box_, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" ")); break;
      case Step::SpaceUp: SendKey(*box_, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" ")); break;
      case Step::EscapeDown: SendKey(*box_, QEvent::KeyPress, Qt::Key_Escape); break;
    }
  }
  EXPECT_EQ(box_->Checked(), c.toggles) << c.name;
  EXPECT_NE(box_->DrawState(), TCheckBoxDrawState::Pressed) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    CheckBox, CheckBoxInputTest,
    ::testing::Values(
        InputCase{"click", {Step::Press, Step::Release}, true, false, true},
        InputCase{"released outside", {Step::Press, Step::ReleaseOutside}, true, false, false},
        InputCase{"out and back in", {Step::Press, Step::MoveOut, Step::MoveIn, Step::Release}, true, false, true},
        InputCase{"release without press", {Step::Release}, true, false, false},
        InputCase{"two clicks", {Step::Press, Step::Release, Step::Press, Step::Release}, true, false, false},
        InputCase{"read-only click", {Step::Press, Step::Release}, true, true, false},
        InputCase{"disabled click", {Step::Press, Step::Release}, false, false, false},
        InputCase{"space", {Step::SpaceDown, Step::SpaceUp}, true, false, true},
        InputCase{"space cancelled by escape", {Step::SpaceDown, Step::EscapeDown, Step::SpaceUp}, true, false,
                  false},
        InputCase{"space release alone", {Step::SpaceUp}, true, false, false},
        InputCase{"read-only space", {Step::SpaceDown, Step::SpaceUp}, true, true, false},
        InputCase{"disabled space", {Step::SpaceDown, Step::SpaceUp}, false, false, false}));

TEST_F(CheckBoxTest, PressLookFollowsThePointerWhileTracked) {
  ASSERT_TRUE(ShowActive());
  SendMouse(*box_, QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_EQ(box_->DrawState(), TCheckBoxDrawState::Pressed);
  SendMouse(*box_, QEvent::MouseMove, QPoint(5, 50));
  EXPECT_NE(box_->DrawState(), TCheckBoxDrawState::Pressed);
  SendMouse(*box_, QEvent::MouseMove, QPoint(5, 5));
  EXPECT_EQ(box_->DrawState(), TCheckBoxDrawState::Pressed);
  SendMouse(*box_, QEvent::MouseButtonRelease, QPoint(5, 5));
  EXPECT_NE(box_->DrawState(), TCheckBoxDrawState::Pressed);
}

TEST_F(CheckBoxTest, ClickTakesTheFocusWithoutTabStop) {
  ASSERT_TRUE(ShowActive());
  EXPECT_EQ(box_->focusPolicy(), Qt::ClickFocus);
  ASSERT_FALSE(box_->hasFocus());
  Click();
  EXPECT_TRUE(box_->hasFocus());
}

TEST_F(CheckBoxTest, DisablingTheFocusedBoxClearsTheFocus) {
  auto* other = new QWidget(&window_);
  other->setFocusPolicy(Qt::StrongFocus);
  ASSERT_TRUE(ShowActive());
  box_->setFocus();
  ASSERT_TRUE(box_->hasFocus());
  box_->SetEnabled(false);
  EXPECT_FALSE(box_->hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

TEST_F(CheckBoxTest, StateIsKeptAcrossEnableChanges) {
  box_->SetState(TCheckBoxState::cbChecked);
  box_->SetEnabled(false);
  box_->SetEnabled(true);
  EXPECT_TRUE(box_->Checked());
}

TEST_F(CheckBoxTest, CaptionAndFocusChangesRepaintAtOnceHoverMarksOnlyTheBox) {
  ASSERT_TRUE(ShowActive());
  QCoreApplication::processEvents();
  const struct {
    const char* what;
    std::function<void()> action;
    bool atOnce;
  } steps[] = {
      {"caption", [&] { box_->SetCaption("another caption"); }, true},
      {"same caption", [&] { box_->SetCaption("another caption"); }, false},
      {"focus in", [&] { box_->setFocus(); }, true},
      {"focus out", [&] { box_->clearFocus(); }, true},
      {"state", [&] { box_->SetChecked(true); }, false},
      {"hover", [&] { Hover(); }, false},
  };
  for (const auto& step : steps) {
    QCoreApplication::processEvents();
    const int before = box_->paints;
    step.action();
    EXPECT_EQ(box_->paints > before, step.atOnce) << step.what;
  }
  // The hover's marked area is the box alone.
  QCoreApplication::processEvents();
  EXPECT_EQ(box_->lastPaintArea, box_->BoxRect());
}

TEST_F(CheckBoxTest, AcceleratorFocusesAndToggles) {
  box_->SetCaption("&Hint");
  ASSERT_TRUE(ShowActive());
  QTest::keyClick(&window_, Qt::Key_H, Qt::AltModifier);
  EXPECT_TRUE(box_->Checked());
  EXPECT_TRUE(box_->hasFocus());
}

}  // namespace
}  // namespace zembrot
