#pragma once

// TZbPanel: the play field, a container drawn with a one-pixel flat frame
// in FlatColor raised by FlatColorAdjustment.

#include <QWidget>

#include "widgets/colors.h"

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

 private:
  TFrameStyleEx borderOuter_ = TFrameStyleEx::fsRaised;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TColor color_ = clBtnFace;
};

}  // namespace zembrot
