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
