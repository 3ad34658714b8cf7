#pragma once

// Small helpers for driving real widgets in the widget tests: a known
// palette, a shown and active window, and synthetic mouse and key input.

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include "widgets/colors.h"

namespace zembrot::testing_support {

// Installs a palette with distinct, known system colours for one test and
// puts the previous palette back afterwards.
class ScopedPalette {
 public:
  ScopedPalette() : saved_(QApplication::palette()) {
    QPalette palette = saved_;
    auto both = [&](QPalette::ColorRole role, QColor color) {
      palette.setColor(QPalette::Active, role, color);
      palette.setColor(QPalette::Inactive, role, color);
    };
    both(QPalette::Base, QColor(255, 255, 255));          // clWindow
    both(QPalette::Text, QColor(0, 0, 0));                // clWindowText
    both(QPalette::Highlight, QColor(0, 120, 215));       // clHighlight
    both(QPalette::Button, QColor(212, 208, 200));        // clBtnFace
    both(QPalette::Dark, QColor(128, 128, 128));          // clBtnShadow
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(109, 109, 109));  // clGrayText
    both(QPalette::ButtonText, QColor(1, 2, 3));          // clBtnText
    both(QPalette::Light, QColor(254, 254, 254));         // clBtnHighlight
    both(QPalette::Shadow, QColor(64, 64, 64));           // cl3DDkShadow
    both(QPalette::ToolTipBase, QColor(255, 255, 225));   // clInfoBk
    both(QPalette::Window, QColor(236, 233, 216));        // clMenuBar
    QApplication::setPalette(palette);
  }
  ~ScopedPalette() { QApplication::setPalette(saved_); }
  ScopedPalette(const ScopedPalette&) = delete;
  ScopedPalette& operator=(const ScopedPalette&) = delete;

 private:
  QPalette saved_;
};

inline TColor PixelAt(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

inline QImage Render(QWidget& widget) { return widget.grab().toImage(); }

// Shows a top-level window and waits (briefly) until it is the active one,
// so that its children can hold the focus.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QElapsedTimer clock;
  clock.start();
  while (QApplication::activeWindow() != &window && clock.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return QApplication::activeWindow() == &window;
}

inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), changed, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

inline void SendKey(QWidget& widget, QEvent::Type type, int key, const QString& text = QString()) {
  QKeyEvent event(type, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace zembrot::testing_support
