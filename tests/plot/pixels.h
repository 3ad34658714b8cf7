#pragma once

// Looking at plots drawn offscreen: known colours for their text and
// ground, and what lies at or near a pixel.

#include <algorithm>
#include <cstdlib>

#include <QImage>
#include <QPalette>
#include <QWidget>

namespace zembrot::plot::testing {

inline const QColor kText(0, 0, 0);
inline const QColor kBase(255, 255, 255);
inline const QColor kFace(212, 208, 200);

inline void UseKnownColours(QWidget& view) {
  QPalette colours = view.palette();
  colours.setColor(QPalette::WindowText, kText);
  colours.setColor(QPalette::Base, kBase);
  colours.setColor(QPalette::Window, kFace);
  view.setPalette(colours);
  view.setAutoFillBackground(true);
}

// Any pixel within a pixel of `at` close to `colour` (lines and dots are
// smoothed at their edges).
inline bool ColourNear(const QImage& image, QPointF at, const QColor& colour) {
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      const QColor seen = image.pixelColor(at.toPoint() + QPoint(dx, dy));
      const int apart = std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green()) +
                        std::abs(seen.blue() - colour.blue());
      if (apart < 40) return true;
    }
  }
  return false;
}

// Something dark (text) in the rectangle.
inline bool InkIn(const QImage& image, const QRect& area) {
  for (int x = std::max(area.left(), 0); x <= std::min(area.right(), image.width() - 1); ++x) {
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), image.height() - 1); ++y) {
      if (image.pixelColor(x, y).lightness() < 110) return true;
    }
  }
  return false;
}

// The frame's left and bottom edges drawn in the text colour along their length.
inline bool AxesAlong(const QImage& image, const QRect& frame) {
  const auto at = [&](double fraction) {
    return image.pixelColor(frame.left(), frame.top() + static_cast<int>(fraction * frame.height())) == kText &&
           image.pixelColor(frame.left() + static_cast<int>(fraction * frame.width()), frame.bottom()) == kText;
  };
  return at(0.2) && at(0.8);
}

}  // namespace zembrot::plot::testing
