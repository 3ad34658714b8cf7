#include "widgets/zb_panel.h"

#include <QPaintEvent>
#include <QPainter>

namespace zembrot {

TZbPanel::TZbPanel(QWidget* parent) : QWidget(parent) {
  // The panel paints every pixel itself (frame and interior), so Qt need not
  // clear under it; children are painted over it afterwards.
  setAttribute(Qt::WA_OpaquePaintEvent);
  font_.OnChange = [this] { update(); };
}

void TZbPanel::SetBorderOuter(TFrameStyleEx style) {
  if (borderOuter_ == style) return;
  borderOuter_ = style;
  update();
}

void TZbPanel::SetFlatColor(TColor color) {
  if (flatColor_ == color) return;
  flatColor_ = color;
  update();
}

void TZbPanel::SetFlatColorAdjustment(int adjustment) {
  if (flatColorAdjustment_ == adjustment) return;
  flatColorAdjustment_ = adjustment;
  update();
}

void TZbPanel::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  update();
}

int TZbPanel::FrameAllowance(TFrameStyleEx style) {
  switch (style) {
    case TFrameStyleEx::fsNone: return 0;
    case TFrameStyleEx::fsFlat: return 1;
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return 1;  // the bevel width
    default: return 2;
  }
}

TColor TZbPanel::FlatFrameColor() const {
  if (flatColorAdjustment_ > 0) return RaiseLightness(flatColor_, flatColorAdjustment_);
  if (flatColorAdjustment_ < 0) return LowerLightness(flatColor_, -flatColorAdjustment_);
  return flatColor_;
}

void TZbPanel::DrawFrame(QPainter& painter, TFrameStyleEx style, const QRect& bounds) const {
  const int right = bounds.right();
  const int bottom = bounds.bottom();
  auto lines = [&](TColor topLeft, TColor bottomRight, int inset) {
    const QRect r = bounds.adjusted(inset, inset, -inset, -inset);
    painter.setPen(ToQColor(topLeft));
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    painter.setPen(ToQColor(bottomRight));
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
  };
  switch (style) {
    case TFrameStyleEx::fsNone: return;
    case TFrameStyleEx::fsFlat: {
      painter.setPen(ToQColor(FlatFrameColor()));
      painter.drawLine(0, 0, right, 0);
      painter.drawLine(0, 0, 0, bottom);
      painter.drawLine(right, 0, right, bottom);
      painter.drawLine(0, bottom, right, bottom);
      return;
    }
    case TFrameStyleEx::fsStatus: lines(clBtnShadow, clBtnHighlight, 0); return;
    case TFrameStyleEx::fsPopup: lines(clBtnHighlight, clBtnShadow, 0); return;
    case TFrameStyleEx::fsLowered:
    case TFrameStyleEx::fsButtonDown:
      lines(clBtnShadow, clBtnHighlight, 0);
      lines(cl3DDkShadow, clBtnFace, 1);
      return;
    case TFrameStyleEx::fsGroove:
      lines(clBtnShadow, clBtnHighlight, 0);
      lines(clBtnHighlight, clBtnShadow, 1);
      return;
    case TFrameStyleEx::fsBump:
      lines(clBtnHighlight, clBtnShadow, 0);
      lines(clBtnShadow, clBtnHighlight, 1);
      return;
    case TFrameStyleEx::fsFlatBold:
    case TFrameStyleEx::fsFlatRounded:
      lines(FlatFrameColor(), FlatFrameColor(), 0);
      lines(FlatFrameColor(), FlatFrameColor(), 1);
      return;
    case TFrameStyleEx::fsRaised:
    case TFrameStyleEx::fsButtonUp:
      lines(clBtnHighlight, cl3DDkShadow, 0);
      lines(clBtnFace, clBtnShadow, 1);
      return;
  }
}

void TZbPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const int inset = FrameAllowance(borderOuter_);
  painter.fillRect(rect().adjusted(inset, inset, -inset, -inset), ToQColor(color_));
  DrawFrame(painter, borderOuter_, rect());
}

}  // namespace zembrot
