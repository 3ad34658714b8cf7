#pragma once

// TZbCheckBox: the flat, hot-tracking check box whose caption the game
// rewrites as its hint line. Drawn into an off-screen image and copied in
// one piece.

#include <functional>
#include <string>

#include <QImage>
#include <QWidget>

#include "widgets/alignment.h"
#include "widgets/colors.h"
#include "widgets/font.h"

namespace zembrot {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class THotTrackColorType { htctActual, htctComplement };
enum class THotTrackStyle { htsInterior, htsFrame };

// How the box is drawn at a moment.
enum class TCheckBoxDrawState { Normal, Hot, Pressed, Disabled };

class TZbCheckBox : public QWidget {
  Q_OBJECT

 public:
  explicit TZbCheckBox(QWidget* parent = nullptr);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);  // repaints at once
  // "&" marks the next character as the accelerator (true, the default), or
  // every "&" is shown as it stands (false).
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
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

  const TFont& Font() const { return font_; }

  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool allowGrayed) { allowGrayed_ = allowGrayed; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  void SetReadOnlyColor(TColor color) { SetLook(readOnlyColor_, color); }
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool onFocus);
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor color) { SetLook(hotTrackColor_, color); }
  THotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(THotTrackColorType type);
  THotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  void SetHotTrackStyle(THotTrackStyle style);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor color) { SetLook(frameColor_, color); }
  TColor FillColor() const { return fillColor_; }
  void SetFillColor(TColor color) { SetLook(fillColor_, color); }
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor color) { SetLook(focusColor_, color); }
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor color) { SetLook(disabledColor_, color); }
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor color) { SetLook(highlightColor_, color); }
  // taRightJustify: box at the left, caption to its right.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TVerticalAlignment AlignmentVertical() const { return alignmentVertical_; }
  void SetAlignmentVertical(TVerticalAlignment alignment);

  // Runs after every change of State, with the check box as sender.
  std::function<void(QObject* sender)> OnClick;

  // What the painting is made of, for the layout and for tests.
  static constexpr int kBoxSize = 13;
  QRect BoxRect() const;
  QRect CaptionRect() const;
  TCheckBoxDrawState DrawState() const;
  bool MouseOver() const { return mouseOver_; }
  // The dark and light ends of the hover colours.
  TColor DarkHotColor() const;
  TColor LightHotColor() const;

  // The toggle rule: unchecked -> checked (grayed with AllowGrayed),
  // checked -> unchecked, grayed -> checked.
  void Toggle();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void SetLook(TColor& look, TColor color);
  void SetPressedLook(bool pressed);
  void RepaintNow();
  void UpdateAcceleratorShortcut();
  bool BoxAtLeft() const;
  QImage Compose();
  void DrawBox(QImage& image) const;
  void DrawCaption(QImage& image) const;
  void DrawFocusFrame(QImage& image) const;

  std::string caption_;
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool hotTrack_ = false;
  bool tabStop_ = true;
  TColor color_ = clWindow;
  TFont font_;

  bool allowGrayed_ = false;
  bool readOnly_ = false;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TColor hotTrackColor_ = RGB(240, 155, 20);
  THotTrackColorType hotTrackColorType_ = THotTrackColorType::htctActual;
  THotTrackStyle hotTrackStyle_ = THotTrackStyle::htsInterior;
  TColor frameColor_ = clBtnShadow;
  TColor fillColor_ = clWindow;
  TColor focusColor_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  TColor highlightColor_ = clHighlight;
  TAlignment alignment_ = TAlignment::taRightJustify;
  TVerticalAlignment alignmentVertical_ = TVerticalAlignment::avTop;

  // Input state: mouse over the control, pressed look shown, a mouse press
  // being tracked, a Space toggle armed.
  bool mouseOver_ = false;
  bool pressedLook_ = false;
  bool tracking_ = false;
  bool spaceArmed_ = false;
  int acceleratorShortcut_ = 0;
  bool showAccelChar_ = true;

  // The background, captured once and reused until the control is resized,
  // recoloured or enabled or disabled.
  QImage background_;
};

}  // namespace zembrot
