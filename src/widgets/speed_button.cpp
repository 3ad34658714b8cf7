#include "widgets/speed_button.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "widgets/caption_text.h"

namespace zembrot {

TSpeedButton::TSpeedButton(QWidget* parent) : QWidget(parent) {
  // Typing must never be diverted from the main window.
  setFocusPolicy(Qt::NoFocus);
  font_.OnChange = [this] { update(); };
}

void TSpeedButton::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  update();
}

void TSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  tracking_ = true;
  pointerInside_ = true;
  update();
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_) return;
  const bool inside = rect().contains(event->position().toPoint());
  if (inside != pointerInside_) {
    pointerInside_ = inside;
    update();
  }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) return;
  const bool inside = rect().contains(event->position().toPoint());
  tracking_ = false;
  pointerInside_ = false;
  update();
  if (inside && OnClick) OnClick(this);
}

void TSpeedButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QStyleOptionButton option;
  option.initFrom(this);
  option.state |= Pressed() ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

  painter.setFont(font_.ToQFont());
  const QString text = CaptionToLayoutText(caption_);
  const int flags = CaptionTextFlags(true, false) | Qt::AlignCenter;
  QRect textRect = rect();
  if (Pressed()) textRect.translate(1, 1);
  if (isEnabled()) {
    painter.setPen(ToQColor(font_.Color()));
    painter.drawText(textRect, flags, text);
  } else {
    // Embossed: a light copy one pixel right and down, the shadow on top.
    painter.setPen(ToQColor(clBtnHighlight));
    painter.drawText(textRect.translated(1, 1), flags, text);
    painter.setPen(ToQColor(clBtnShadow));
    painter.drawText(textRect, flags, text);
  }
}

}  // namespace zembrot
