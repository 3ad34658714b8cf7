#pragma once

// Colour values and the colour helpers.
//
// A colour is 32 bits: an RGB colour is 0x00BBGGRR (red in the lowest byte);
// 0xFF0000nn names the platform's system colour number nn, resolved to RGB
// (from the Qt palette) only when something is drawn or computed with it.

#include <cstdint>

class QColor;

namespace zembrot {

using TColor = std::uint32_t;

constexpr TColor RGB(int red, int green, int blue) {
  return static_cast<TColor>(red & 0xFF) | (static_cast<TColor>(green & 0xFF) << 8) |
         (static_cast<TColor>(blue & 0xFF) << 16);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor clInfoBk = 0xFF000018;
constexpr TColor clMenuBar = 0xFF00001E;

// A system colour resolved to RGB; an RGB colour unchanged.
TColor ColorToRgb(TColor color);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

struct Hsl240 {
  int hue;
  int saturation;
  int lightness;
};

Hsl240 ColorToHsl240(TColor color);
TColor Hsl240ToColor(int hue, int saturation, int lightness);
TColor RaiseLightness(TColor color, int amount);
TColor LowerLightness(TColor color, int amount);
// `weight`/255 of colour a, the rest of colour b.
TColor MixColors(TColor a, TColor b, int weight);

// True when the display has a fixed number of colours (a palette); tested
// once, at the first call.
bool IsPaletteDisplay();

}  // namespace zembrot
