#pragma once

// TSpeedButton: the Start/End button. It never takes the keyboard focus, so
// typing always stays with the main window; a click runs OnClick only when
// the left button is released inside it.

#include <functional>
#include <string>

#include <QWidget>

#include "widgets/font.h"

namespace zembrot {

class TSpeedButton : public QWidget {
  Q_OBJECT

 public:
  explicit TSpeedButton(QWidget* parent = nullptr);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // Runs with the button as sender on a left release inside the button.
  // Called as it is: whoever attaches a game handler wraps it in the
  // program's handler guard.
  std::function<void(QObject* sender)> OnClick;

  // The caption's font; a new button has the window font.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }

  // True while a left press is tracked and the pointer is inside.
  bool Pressed() const { return tracking_ && pointerInside_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::string caption_;
  TFont font_;
  bool tracking_ = false;
  bool pointerInside_ = false;
};

}  // namespace zembrot
