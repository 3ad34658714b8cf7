#pragma once

// TZbCheckBox: the flat, hot-tracking check box whose caption the game
// rewrites as its hint line. Drawn into an off-screen image and copied in
// one piece.

#include <string>

#include <QImage>
#include <QWidget>

#include "widgets/colors.h"
#include "widgets/font.h"

namespace zembrot {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TZbCheckBox : public QWidget {
  Q_OBJECT

 public:
  explicit TZbCheckBox(QWidget* parent = nullptr);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);  // repaints at once
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool checked);
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool enabled);

  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool hotTrack);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFont& Font() { return font_; }

  // Further looks (HotTrackColor, FrameColor, FillColor, ...) live in the
  // implementation with their default values.

 private:
  std::string caption_;
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool hotTrack_ = false;
  bool tabStop_ = true;
  TColor color_ = clWindow;
  TFont font_;
};

}  // namespace zembrot
