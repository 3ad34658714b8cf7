#pragma once

// TZbPanel: the play field, a container drawn with a one-pixel flat frame
// in FlatColor raised by FlatColorAdjustment.

#include <QWidget>

#include "widgets/colors.h"
#include "widgets/font.h"

class QPainter;

namespace zembrot {

enum class TFrameStyleEx {
  fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised,
  fsButtonUp, fsStatus, fsPopup, fsFlatBold, fsFlatRounded
};

class TZbPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TZbPanel(QWidget* parent = nullptr);

  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  void SetBorderOuter(TFrameStyleEx style);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor color);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int adjustment);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // The font the panel's labels take when they are inserted into it.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }

  // The pixels a frame style takes from each side.
  static int FrameAllowance(TFrameStyleEx style);
  // The colour of a flat frame: FlatColor raised or lowered by the adjustment.
  TColor FlatFrameColor() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawFrame(QPainter& painter, TFrameStyleEx style, const QRect& bounds) const;

  TFont font_;
  TFrameStyleEx borderOuter_ = TFrameStyleEx::fsRaised;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TColor color_ = clBtnFace;
};

}  // namespace zembrot
