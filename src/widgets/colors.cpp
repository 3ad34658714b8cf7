#include "widgets/colors.h"

#include <algorithm>
#include <cmath>

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace zembrot {

namespace {

constexpr TColor kSystemColorFlag = 0xFF000000;

// Nearest integer, ties to even (the rounding every colour helper uses).
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

QPalette ApplicationPalette() {
  if (QGuiApplication::instance() == nullptr) return QPalette();
  return QGuiApplication::palette();
}

// The system colour numbers the program uses, resolved through the Qt palette.
// Text on a window background is QPalette::Text (it pairs with Base, which
// stands for clWindow); the button shadow is Dark, the gray text the
// disabled Text. Numbers the program never uses fall back to the window
// colour.
QColor SystemColor(unsigned number) {
  const QPalette palette = ApplicationPalette();
  switch (number) {
    case 5: return palette.color(QPalette::Active, QPalette::Base);              // clWindow
    case 8: return palette.color(QPalette::Active, QPalette::Text);              // clWindowText
    case 13: return palette.color(QPalette::Active, QPalette::Highlight);        // clHighlight
    case 14: return palette.color(QPalette::Active, QPalette::HighlightedText);  // clHighlightText
    case 15: return palette.color(QPalette::Active, QPalette::Button);            // clBtnFace
    case 16: return palette.color(QPalette::Active, QPalette::Dark);              // clBtnShadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);           // clGrayText
    case 18: return palette.color(QPalette::Active, QPalette::ButtonText);       // clBtnText
    case 20: return palette.color(QPalette::Active, QPalette::Light);             // clBtnHighlight
    case 21: return palette.color(QPalette::Active, QPalette::Shadow);            // cl3DDkShadow
    case 22: return palette.color(QPalette::Active, QPalette::Midlight);          // cl3DLight
    case 23: return palette.color(QPalette::Active, QPalette::ToolTipText);       // clInfoText
    case 24: return palette.color(QPalette::Active, QPalette::ToolTipBase);       // clInfoBk
    case 7: return palette.color(QPalette::Active, QPalette::Text);              // clMenuText
    case 4: return palette.color(QPalette::Active, QPalette::Window);             // clMenu
    case 30: return palette.color(QPalette::Active, QPalette::Window);            // clMenuBar
    default: return palette.color(QPalette::Active, QPalette::Window);
  }
}

struct Rgb01 {
  double r, g, b;
};

Rgb01 Channels(TColor color) {
  const TColor rgb = ColorToRgb(color);
  return {static_cast<double>(rgb & 0xFF) / 255.0, static_cast<double>((rgb >> 8) & 0xFF) / 255.0,
          static_cast<double>((rgb >> 16) & 0xFF) / 255.0};
}

int ChannelByte(double value) {
  // Lightness or saturation above 240 can push a channel past 1 (capped, as
  // the rule says) and never below 0, but keep both ends safe.
  return RoundEven(std::clamp(value, 0.0, 1.0) * 255.0);
}

}  // namespace

TColor ColorToRgb(TColor color) {
  if ((color & 0xFF000000) != kSystemColorFlag) return color & 0x00FFFFFF;
  return FromQColor(SystemColor(color & 0xFF));
}

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRgb(color);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return RGB(rgb.red(), rgb.green(), rgb.blue());
}

Hsl240 ColorToHsl240(TColor color) {
  const Rgb01 c = Channels(color);
  const double maximum = std::max({c.r, c.g, c.b});
  const double minimum = std::min({c.r, c.g, c.b});
  const double lightness = (maximum + minimum) / 2.0;
  double hue = 0.0;
  double saturation = 0.0;
  if (maximum != minimum) {
    const double delta = maximum - minimum;
    saturation = lightness < 0.5 ? delta / (maximum + minimum) : delta / (2.0 - maximum - minimum);
    if (c.r == maximum) {
      hue = (c.g - c.b) / delta;
    } else if (c.g == maximum) {
      hue = 2.0 + (c.b - c.r) / delta;
    } else {
      hue = 4.0 + (c.r - c.g) / delta;
    }
    hue /= 6.0;
    if (hue < 0.0) hue += 1.0;
  }
  return {RoundEven(hue * 240.0), RoundEven(saturation * 240.0), RoundEven(lightness * 240.0)};
}

TColor Hsl240ToColor(int hue, int saturation, int lightness) {
  // The hue is divided by 239, not 240: a hue of 239 lands on the end of the
  // circle, which is red again.
  const double h = static_cast<double>(hue) / 239.0;
  const double s = static_cast<double>(saturation) / 240.0;
  const double l = static_cast<double>(lightness) / 240.0;
  const double v = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
  if (v <= 0.0) return clBlack;
  const double m = 2.0 * l - v;
  const double sv = (v - m) / v;
  const double h6 = h * 6.0;
  const int sextant = static_cast<int>(h6);
  const double fraction = h6 - sextant;
  const double vsf = v * sv * fraction;
  const double mid1 = m + vsf;
  const double mid2 = v - vsf;
  double r = v;
  double g = mid1;
  double b = m;
  switch (sextant) {
    case 1: r = mid2; g = v; b = m; break;
    case 2: r = m; g = v; b = mid1; break;
    case 3: r = m; g = mid2; b = v; break;
    case 4: r = mid1; g = m; b = v; break;
    case 5: r = v; g = m; b = mid2; break;
    default: break;  // 0, and 6 at the end of the circle
  }
  return RGB(ChannelByte(r), ChannelByte(g), ChannelByte(b));
}

TColor RaiseLightness(TColor color, int amount) {
  const Hsl240 hsl = ColorToHsl240(color);
  return Hsl240ToColor(hsl.hue, hsl.saturation, std::min(hsl.lightness + amount, 255));
}

TColor LowerLightness(TColor color, int amount) {
  const Hsl240 hsl = ColorToHsl240(color);
  return Hsl240ToColor(hsl.hue, hsl.saturation, std::max(hsl.lightness - amount, 0));
}

TColor MixColors(TColor a, TColor b, int weight) {
  // The weight is a single-precision fraction; the channels are mixed with it.
  const float fraction = static_cast<float>(weight) / 255.0f;
  const double x = fraction;
  const double rest = 1.0 - static_cast<double>(fraction);
  const TColor ra = ColorToRgb(a);
  const TColor rb = ColorToRgb(b);
  auto mix = [&](int shift) {
    const double ca = static_cast<double>((ra >> shift) & 0xFF);
    const double cb = static_cast<double>((rb >> shift) & 0xFF);
    return std::clamp(RoundEven(ca * x + cb * rest), 0, 255);
  };
  return RGB(mix(0), mix(8), mix(16));
}

bool IsPaletteDisplay() {
  static const bool palette = [] {
    if (QGuiApplication::instance() == nullptr) return false;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->depth() <= 8;
  }();
  return palette;
}

}  // namespace zembrot
