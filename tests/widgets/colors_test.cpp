#include "widgets/colors.h"

#include <gtest/gtest.h>

#include <QColor>

#include "widget_test_support.h"

namespace zembrot {
namespace {

struct HslCase {
  TColor color;
  Hsl240 hsl;
};

class ColorToHsl240Test : public ::testing::TestWithParam<HslCase> {};

TEST_P(ColorToHsl240Test, GivesRoundedHueSaturationLightness) {
  const HslCase& c = GetParam();
  const Hsl240 hsl = ColorToHsl240(c.color);
  EXPECT_EQ(hsl.hue, c.hsl.hue);
  EXPECT_EQ(hsl.saturation, c.hsl.saturation);
  EXPECT_EQ(hsl.lightness, c.hsl.lightness);
}

INSTANTIATE_TEST_SUITE_P(Colors, ColorToHsl240Test,
                         ::testing::Values(HslCase{RGB(0, 0, 0), {0, 0, 0}},            //
                                           HslCase{RGB(255, 255, 255), {0, 0, 240}},    //
                                           HslCase{RGB(128, 128, 128), {0, 0, 120}},    //
                                           HslCase{RGB(255, 0, 0), {0, 240, 120}},      //
                                           HslCase{RGB(0, 255, 0), {80, 240, 120}},     //
                                           HslCase{RGB(0, 0, 255), {160, 240, 120}},    //
                                           HslCase{RGB(240, 155, 20), {25, 211, 122}},  //
                                           HslCase{RGB(0, 120, 215), {138, 240, 101}},  //
                                           HslCase{RGB(10, 200, 30), {84, 217, 99}},    //
                                           HslCase{RGB(212, 208, 200), {27, 29, 194}}));

struct RgbCase {
  Hsl240 hsl;
  TColor color;
};

class Hsl240ToColorTest : public ::testing::TestWithParam<RgbCase> {};

TEST_P(Hsl240ToColorTest, GivesRoundedChannels) {
  const RgbCase& c = GetParam();
  EXPECT_EQ(Hsl240ToColor(c.hsl.hue, c.hsl.saturation, c.hsl.lightness), c.color);
}

// Hues are divided by 239: 80 is slightly past pure green and 160 slightly
// past pure blue, and 239 is red again.
INSTANTIATE_TEST_SUITE_P(Colors, Hsl240ToColorTest,
                         ::testing::Values(RgbCase{{0, 0, 150}, RGB(159, 159, 159)},    //
                                           RgbCase{{0, 0, 0}, RGB(0, 0, 0)},            //
                                           RgbCase{{0, 0, 240}, RGB(255, 255, 255)},    //
                                           RgbCase{{0, 0, 255}, RGB(255, 255, 255)},    //
                                           RgbCase{{0, 240, 120}, RGB(255, 0, 0)},      //
                                           RgbCase{{80, 240, 120}, RGB(0, 255, 2)},     //
                                           RgbCase{{160, 240, 120}, RGB(4, 0, 255)},    //
                                           RgbCase{{239, 240, 120}, RGB(255, 0, 0)},    //
                                           RgbCase{{40, 120, 60}, RGB(95, 96, 32)},     //
                                           RgbCase{{200, 100, 200}, RGB(230, 195, 229)}));

TEST(ColorRoundTrip, GraysAndRedSurviveButOtherHuesDriftByTheDivisor) {
  const struct {
    TColor color;
    TColor back;
  } cases[] = {{RGB(255, 0, 0), RGB(255, 0, 0)},       {RGB(0, 0, 0), RGB(0, 0, 0)},
               {RGB(255, 255, 255), RGB(255, 255, 255)}, {RGB(128, 128, 128), RGB(128, 128, 128)},
               {RGB(64, 64, 64), RGB(64, 64, 64)},       {RGB(255, 255, 0), RGB(254, 255, 0)},
               {RGB(0, 255, 255), RGB(0, 252, 255)},     {RGB(255, 0, 255), RGB(255, 0, 250)},
               {RGB(240, 155, 20), RGB(240, 158, 19)}};
  for (const auto& c : cases) {
    const Hsl240 hsl = ColorToHsl240(c.color);
    EXPECT_EQ(Hsl240ToColor(hsl.hue, hsl.saturation, hsl.lightness), c.back) << std::hex << c.color;
  }
}

TEST(ColorRoundTrip, EveryColourComesBackWithinTheScalesPrecision) {
  // The 0..240 scales and the 239 divisor lose a little; never more than 9.
  for (int red = 0; red < 256; red += 17) {
    for (int green = 0; green < 256; green += 51) {
      for (int blue = 0; blue < 256; blue += 85) {
        const Hsl240 hsl = ColorToHsl240(RGB(red, green, blue));
        const QColor back = ToQColor(Hsl240ToColor(hsl.hue, hsl.saturation, hsl.lightness));
        EXPECT_NEAR(back.red(), red, 9) << red << "," << green << "," << blue;
        EXPECT_NEAR(back.green(), green, 9) << red << "," << green << "," << blue;
        EXPECT_NEAR(back.blue(), blue, 9) << red << "," << green << "," << blue;
      }
    }
  }
}

struct LightnessCase {
  TColor color;
  int amount;
  bool raise;
  TColor expected;
};

class LightnessTest : public ::testing::TestWithParam<LightnessCase> {};

TEST_P(LightnessTest, ChangesLightnessAndClampsTheScale) {
  const LightnessCase& c = GetParam();
  const TColor result = c.raise ? RaiseLightness(c.color, c.amount) : LowerLightness(c.color, c.amount);
  EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Colors, LightnessTest,
                         ::testing::Values(LightnessCase{RGB(128, 128, 128), 30, true, RGB(159, 159, 159)},
                                           LightnessCase{RGB(128, 128, 128), 30, false, RGB(96, 96, 96)},
                                           LightnessCase{RGB(212, 208, 200), 30, true, RGB(240, 239, 236)},
                                           LightnessCase{RGB(212, 208, 200), 20, false, RGB(193, 188, 176)},
                                           LightnessCase{RGB(255, 255, 255), 20, false, RGB(234, 234, 234)},
                                           // Capped at 255 on the way up (a channel then caps at 255)...
                                           LightnessCase{RGB(255, 255, 255), 255, true, RGB(255, 255, 255)},
                                           // ...and at 0 on the way down.
                                           LightnessCase{RGB(10, 10, 10), 100, false, RGB(0, 0, 0)},
                                           LightnessCase{RGB(240, 155, 20), 0, true, RGB(240, 158, 19)}));

struct MixCase {
  TColor a;
  TColor b;
  int weight;
  TColor expected;
};

class MixColorsTest : public ::testing::TestWithParam<MixCase> {};

TEST_P(MixColorsTest, WeighsTheFirstColourByWeightOver255) {
  const MixCase& c = GetParam();
  EXPECT_EQ(MixColors(c.a, c.b, c.weight), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Colors, MixColorsTest,
                         ::testing::Values(MixCase{clWhite, RGB(240, 155, 20), 190, RGB(251, 230, 195)},
                                           MixCase{RGB(200, 10, 0), RGB(0, 90, 255), 100, RGB(78, 59, 155)},
                                           MixCase{RGB(200, 10, 0), RGB(0, 90, 255), 255, RGB(200, 10, 0)},
                                           MixCase{RGB(200, 10, 0), RGB(0, 90, 255), 0, RGB(0, 90, 255)}));

struct SystemColorCase {
  TColor systemColor;
  TColor expected;  // with the test palette
};

class SystemColorTest : public ::testing::TestWithParam<SystemColorCase> {};

TEST_P(SystemColorTest, ResolvesThroughTheApplicationPalette) {
  const testing_support::ScopedPalette palette;
  EXPECT_EQ(ColorToRgb(GetParam().systemColor), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Colors, SystemColorTest,
                         ::testing::Values(SystemColorCase{clWindow, RGB(255, 255, 255)},
                                           SystemColorCase{clWindowText, RGB(0, 0, 0)},
                                           SystemColorCase{clHighlight, RGB(0, 120, 215)},
                                           SystemColorCase{clBtnFace, RGB(212, 208, 200)},
                                           SystemColorCase{clBtnShadow, RGB(128, 128, 128)},
                                           SystemColorCase{clGrayText, RGB(109, 109, 109)},
                                           SystemColorCase{clBtnText, RGB(1, 2, 3)},
                                           SystemColorCase{clBtnHighlight, RGB(254, 254, 254)},
                                           SystemColorCase{cl3DDkShadow, RGB(64, 64, 64)},
                                           SystemColorCase{clInfoBk, RGB(255, 255, 225)},
                                           SystemColorCase{clMenuBar, RGB(236, 233, 216)},
                                           // An RGB colour passes unchanged.
                                           SystemColorCase{RGB(1, 2, 3), RGB(1, 2, 3)}));

TEST(SystemColor, HelpersResolveSystemColoursFirst) {
  const testing_support::ScopedPalette palette;
  EXPECT_EQ(RaiseLightness(clBtnShadow, 30), RGB(159, 159, 159));
  EXPECT_EQ(MixColors(clBtnShadow, clWindow, 255), RGB(128, 128, 128));
  const Hsl240 hsl = ColorToHsl240(clBtnShadow);
  EXPECT_EQ(hsl.lightness, 120);
  EXPECT_EQ(ToQColor(clBtnShadow), QColor(128, 128, 128));
  EXPECT_EQ(FromQColor(QColor(10, 20, 30)), RGB(10, 20, 30));
}

TEST(PaletteDisplay, OffscreenScreenIsFullColour) { EXPECT_FALSE(IsPaletteDisplay()); }

}  // namespace
}  // namespace zembrot
