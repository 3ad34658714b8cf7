#include "widgets/zb_panel.h"

#include <gtest/gtest.h>

#include "widget_test_support.h"
#include "widgets/zb_label.h"

namespace zembrot {
namespace {

using testing_support::PixelAt;
using testing_support::Render;

struct FrameCase {
  TFrameStyleEx style;
  int adjustment;
  TColor frame;  // expected colour of the one-pixel frame (interior colour when none)
};

class PanelFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(PanelFrameTest, DrawsTheFlatFrameAroundTheInterior) {
  const testing_support::ScopedPalette palette;  // button shadow 128, 128, 128
  const FrameCase& c = GetParam();
  TZbPanel panel;
  panel.resize(120, 80);
  panel.SetBorderOuter(c.style);
  panel.SetFlatColorAdjustment(c.adjustment);
  panel.SetColor(RGB(20, 40, 60));
  const QImage image = Render(panel);
  const QPoint edges[] = {{0, 0}, {60, 0}, {119, 0}, {0, 40}, {119, 40}, {0, 79}, {60, 79}, {119, 79}};
  for (const QPoint& at : edges) EXPECT_EQ(PixelAt(image, at.x(), at.y()), c.frame) << at.x() << "," << at.y();
  const QPoint inside[] = {{1, 1}, {118, 1}, {1, 78}, {118, 78}, {60, 40}};
  for (const QPoint& at : inside) EXPECT_EQ(PixelAt(image, at.x(), at.y()), RGB(20, 40, 60)) << at.x() << "," << at.y();
}

INSTANTIATE_TEST_SUITE_P(Panels, PanelFrameTest,
                         ::testing::Values(FrameCase{TFrameStyleEx::fsFlat, 30, RGB(159, 159, 159)},
                                           FrameCase{TFrameStyleEx::fsFlat, -30, RGB(96, 96, 96)},
                                           FrameCase{TFrameStyleEx::fsFlat, 0, RGB(128, 128, 128)},
                                           FrameCase{TFrameStyleEx::fsNone, 30, RGB(20, 40, 60)}));

// The bevelled styles: two rings of one pixel each (one for fsStatus and
// fsPopup), light from the top left and shade at the bottom right; the
// bottom-left and top-right corners belong to the shade.
struct BevelCase {
  const char* name;
  TFrameStyleEx style;
  TColor outerTopLeft;
  TColor outerBottomRight;
  TColor innerTopLeft;      // the interior colour for a one-ring style
  TColor innerBottomRight;
};

class PanelBevelTest : public ::testing::TestWithParam<BevelCase> {};

TEST_P(PanelBevelTest, DrawsEachRingInItsColours) {
  const testing_support::ScopedPalette palette;
  const BevelCase& c = GetParam();
  TZbPanel panel;
  panel.resize(120, 80);
  panel.SetBorderOuter(c.style);
  panel.SetColor(RGB(20, 40, 60));
  const QImage image = Render(panel);
  const struct {
    QPoint at;
    TColor colour;
  } pixels[] = {
      {{0, 0}, c.outerTopLeft},       {{60, 0}, c.outerTopLeft},       {{0, 40}, c.outerTopLeft},
      {{119, 0}, c.outerBottomRight}, {{0, 79}, c.outerBottomRight},   {{119, 79}, c.outerBottomRight},
      {{60, 79}, c.outerBottomRight}, {{119, 40}, c.outerBottomRight}, {{1, 1}, c.innerTopLeft},
      {{60, 1}, c.innerTopLeft},      {{1, 40}, c.innerTopLeft},       {{118, 1}, c.innerBottomRight},
      {{1, 78}, c.innerBottomRight},  {{118, 78}, c.innerBottomRight}, {{60, 78}, c.innerBottomRight},
      {{118, 40}, c.innerBottomRight}, {{2, 2}, RGB(20, 40, 60)},      {{117, 77}, RGB(20, 40, 60)},
      {{60, 40}, RGB(20, 40, 60)},
  };
  for (const auto& pixel : pixels) {
    EXPECT_EQ(PixelAt(image, pixel.at.x(), pixel.at.y()), pixel.colour) << pixel.at.x() << "," << pixel.at.y();
  }
}

// Palette: button highlight 254, 254, 254; button face 212, 208, 200; button
// shadow 128, 128, 128; dark shadow 64, 64, 64. The flat colour is the button
// shadow raised by 30.
INSTANTIATE_TEST_SUITE_P(
    Styles, PanelBevelTest,
    ::testing::Values(
        BevelCase{"Raised", TFrameStyleEx::fsRaised, RGB(254, 254, 254), RGB(64, 64, 64), RGB(212, 208, 200),
                  RGB(128, 128, 128)},
        BevelCase{"ButtonUp", TFrameStyleEx::fsButtonUp, RGB(254, 254, 254), RGB(64, 64, 64), RGB(212, 208, 200),
                  RGB(128, 128, 128)},
        BevelCase{"Lowered", TFrameStyleEx::fsLowered, RGB(128, 128, 128), RGB(254, 254, 254), RGB(64, 64, 64),
                  RGB(212, 208, 200)},
        BevelCase{"ButtonDown", TFrameStyleEx::fsButtonDown, RGB(128, 128, 128), RGB(254, 254, 254),
                  RGB(64, 64, 64), RGB(212, 208, 200)},
        BevelCase{"Groove", TFrameStyleEx::fsGroove, RGB(128, 128, 128), RGB(254, 254, 254), RGB(254, 254, 254),
                  RGB(128, 128, 128)},
        BevelCase{"Bump", TFrameStyleEx::fsBump, RGB(254, 254, 254), RGB(128, 128, 128), RGB(128, 128, 128),
                  RGB(254, 254, 254)},
        BevelCase{"Status", TFrameStyleEx::fsStatus, RGB(128, 128, 128), RGB(254, 254, 254), RGB(20, 40, 60),
                  RGB(20, 40, 60)},
        BevelCase{"Popup", TFrameStyleEx::fsPopup, RGB(254, 254, 254), RGB(128, 128, 128), RGB(20, 40, 60),
                  RGB(20, 40, 60)},
        BevelCase{"FlatBold", TFrameStyleEx::fsFlatBold, RGB(159, 159, 159), RGB(159, 159, 159),
                  RGB(159, 159, 159), RGB(159, 159, 159)},
        BevelCase{"FlatRounded", TFrameStyleEx::fsFlatRounded, RGB(159, 159, 159), RGB(159, 159, 159),
                  RGB(159, 159, 159), RGB(159, 159, 159)}),
    [](const ::testing::TestParamInfo<BevelCase>& tested) { return std::string(tested.param.name); });

TEST(Panel, DefaultsAndAllowances) {
  const TZbPanel panel;
  EXPECT_EQ(panel.BorderOuter(), TFrameStyleEx::fsRaised);
  EXPECT_EQ(panel.FlatColor(), clBtnShadow);
  EXPECT_EQ(panel.FlatColorAdjustment(), 30);
  EXPECT_EQ(panel.Color(), clBtnFace);
  EXPECT_EQ(panel.Font(), TFont());
  const struct {
    TFrameStyleEx style;
    int allowance;
  } allowances[] = {{TFrameStyleEx::fsNone, 0},   {TFrameStyleEx::fsFlat, 1},  {TFrameStyleEx::fsStatus, 1},
                    {TFrameStyleEx::fsPopup, 1},  {TFrameStyleEx::fsRaised, 2}, {TFrameStyleEx::fsLowered, 2},
                    {TFrameStyleEx::fsGroove, 2}, {TFrameStyleEx::fsFlatRounded, 2}};
  for (const auto& a : allowances) EXPECT_EQ(TZbPanel::FrameAllowance(a.style), a.allowance);
}

TEST(Panel, ShowsNoCaptionAndChildrenPaintOverIt) {
  const testing_support::ScopedPalette palette;
  TZbPanel panel;
  panel.resize(120, 80);
  panel.SetBorderOuter(TFrameStyleEx::fsFlat);
  panel.SetColor(RGB(20, 40, 60));
  panel.setObjectName(QStringLiteral("ZbPanel1"));
  auto* word = new TZbLabel(&panel);
  word->SetTransparent(true);
  word->SetCaption("   ");
  word->SetLeft(-3);  // over the frame, clipped at the panel's edge
  word->SetTop(10);
  auto* opaque = new TZbLabel(&panel);
  opaque->SetCaption("   ");
  opaque->SetColor(RGB(200, 0, 0));
  opaque->SetLeft(100);
  opaque->SetTop(50);
  const QImage image = Render(panel);
  for (int x = 1; x < 119; ++x) {
    for (int y = 1; y < 79; ++y) {
      const bool underOpaque = opaque->geometry().contains(x, y);
      ASSERT_EQ(PixelAt(image, x, y), underOpaque ? RGB(200, 0, 0) : RGB(20, 40, 60)) << x << "," << y;
    }
  }
  EXPECT_EQ(PixelAt(image, 0, 12), RGB(159, 159, 159));  // the transparent word leaves the frame visible
  EXPECT_EQ(PixelAt(image, 119, 79), RGB(159, 159, 159));
}

}  // namespace
}  // namespace zembrot
