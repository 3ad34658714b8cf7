#include "widgets/zb_check_box.h"

#include <algorithm>

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionButton>

#include "base/convert.h"
#include "widgets/caption_text.h"
#include "widgets/zb_panel.h"

namespace zembrot {

namespace {

// The gap between the box and the caption.
constexpr int kCaptionGap = 4;

// Rows where the three-pixel columns of the check mark start, for the
// columns 3 to 9 of the box.
constexpr int kCheckMarkFirstColumn = 3;
constexpr int kCheckMarkStartRows[] = {5, 6, 7, 6, 5, 4, 3};
constexpr int kCheckMarkColumnHeight = 3;

void FillPixels(QPainter& painter, const QRect& area, TColor color) { painter.fillRect(area, ToQColor(color)); }

// A one-pixel outline along the inside edge of `area`.
void Outline(QPainter& painter, const QRect& area, TColor color) {
  const QColor qcolor = ToQColor(color);
  painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), qcolor);
  painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), qcolor);
  painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), qcolor);
  painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), qcolor);
}

}  // namespace

TZbCheckBox::TZbCheckBox(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
  // A new check box takes its parent's colour and font: a panel's own, or
  // the window's button-face colour and window font.
  if (const auto* panel = qobject_cast<const TZbPanel*>(parent)) {
    color_ = panel->Color();
    font_.Assign(panel->Font());
  } else if (parent != nullptr) {
    color_ = clBtnFace;
  }
  font_.OnChange = [this] { update(); };
}

void TZbCheckBox::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  UpdateAcceleratorShortcut();
  RepaintNow();
}

void TZbCheckBox::SetState(TCheckBoxState state) {
  if (state_ == state) return;
  state_ = state;
  update();
  if (OnClick) OnClick(this);
}

void TZbCheckBox::SetChecked(bool checked) {
  SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TZbCheckBox::Toggle() {
  switch (state_) {
    case TCheckBoxState::cbUnchecked:
      SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
  }
}

void TZbCheckBox::SetEnabled(bool enabled) {
  if (enabled == isEnabled()) return;
  // A disabled control gives up the focus to its window rather than to the
  // next control.
  if (!enabled && hasFocus()) clearFocus();
  setEnabled(enabled);
}

void TZbCheckBox::SetHotTrack(bool hotTrack) {
  if (hotTrack_ == hotTrack) return;
  hotTrack_ = hotTrack;
  update();
}

void TZbCheckBox::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  // A click still focuses the control when it is no tab stop.
  setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
}

void TZbCheckBox::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  background_ = QImage();
  update();
}

void TZbCheckBox::SetReadOnly(bool readOnly) {
  if (readOnly_ == readOnly) return;
  readOnly_ = readOnly;
  update();
}

void TZbCheckBox::SetReadOnlyColorOnFocus(bool onFocus) {
  if (readOnlyColorOnFocus_ == onFocus) return;
  readOnlyColorOnFocus_ = onFocus;
  update();
}

void TZbCheckBox::SetHotTrackColorType(THotTrackColorType type) {
  if (hotTrackColorType_ == type) return;
  hotTrackColorType_ = type;
  update();
}

void TZbCheckBox::SetHotTrackStyle(THotTrackStyle style) {
  if (hotTrackStyle_ == style) return;
  hotTrackStyle_ = style;
  update();
}

void TZbCheckBox::SetAlignment(TAlignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  update();
}

void TZbCheckBox::SetAlignmentVertical(TVerticalAlignment alignment) {
  if (alignmentVertical_ == alignment) return;
  alignmentVertical_ = alignment;
  update();
}

void TZbCheckBox::SetLook(TColor& look, TColor color) {
  if (look == color) return;
  look = color;
  update();
}

void TZbCheckBox::RepaintNow() {
  if (isVisible()) repaint();
}

void TZbCheckBox::SetShowAccelChar(bool show) {
  if (show == showAccelChar_) return;
  showAccelChar_ = show;
  UpdateAcceleratorShortcut();
  RepaintNow();
}

void TZbCheckBox::UpdateAcceleratorShortcut() {
  if (acceleratorShortcut_ != 0) {
    releaseShortcut(acceleratorShortcut_);
    acceleratorShortcut_ = 0;
  }
  if (!showAccelChar_) return;
  const QKeySequence mnemonic = QKeySequence::mnemonic(ShownCaption(caption_));
  if (!mnemonic.isEmpty()) acceleratorShortcut_ = grabShortcut(mnemonic);
}

bool TZbCheckBox::BoxAtLeft() const {
  return (alignment_ == TAlignment::taRightJustify) == (layoutDirection() == Qt::LeftToRight);
}

QRect TZbCheckBox::BoxRect() const {
  const int left = BoxAtLeft() ? 0 : width() - kBoxSize;
  int top = 2;
  switch (alignmentVertical_) {
    case TVerticalAlignment::avTop: top = 2; break;
    case TVerticalAlignment::avCenter: top = (height() - kBoxSize) / 2; break;
    case TVerticalAlignment::avBottom: top = height() - 15; break;
  }
  return QRect(left, top, kBoxSize, kBoxSize);
}

QRect TZbCheckBox::CaptionRect() const {
  QRect area = rect().adjusted(1, 1, -1, -1);
  if (BoxAtLeft()) {
    area.setLeft(area.left() + kBoxSize + kCaptionGap);
  } else {
    area.setRight(area.right() - kBoxSize - kCaptionGap);
  }
  return area;
}

TCheckBoxDrawState TZbCheckBox::DrawState() const {
  if (!isEnabled()) return TCheckBoxDrawState::Disabled;
  if (pressedLook_) return TCheckBoxDrawState::Pressed;
  if (mouseOver_) return TCheckBoxDrawState::Hot;
  return TCheckBoxDrawState::Normal;
}

TColor TZbCheckBox::LightHotColor() const {
  if (hotTrackColorType_ == THotTrackColorType::htctActual) return MixColors(clWhite, hotTrackColor_, 190);
  const int hue = ColorToHsl240(hotTrackColor_).hue;
  const int opposite = hue < 120 ? hue + 120 : hue - 120;
  return Hsl240ToColor(opposite, 240, 180);
}

TColor TZbCheckBox::DarkHotColor() const {
  if (hotTrackColorType_ == THotTrackColorType::htctActual) return hotTrackColor_;
  return LowerLightness(LightHotColor(), 30);
}

// ----------------------------------------------------------------- painting

QImage TZbCheckBox::Compose() {
  if (background_.isNull() || background_.size() != size()) {
    background_ = QImage(size(), QImage::Format_RGB32);
    background_.fill(ToQColor(color_));
  }
  QImage image = background_.copy();
  DrawBox(image);
  DrawCaption(image);
  DrawFocusFrame(image);
  return image;
}

void TZbCheckBox::DrawBox(QImage& image) const {
  QPainter painter(&image);
  const QRect box = BoxRect();
  const TCheckBoxDrawState drawState = DrawState();

  if (!hotTrack_) {
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = box;
    option.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    switch (state_) {
      case TCheckBoxState::cbUnchecked: option.state |= QStyle::State_Off; break;
      case TCheckBoxState::cbChecked: option.state |= QStyle::State_On; break;
      case TCheckBoxState::cbGrayed: option.state |= QStyle::State_NoChange; break;
    }
    if (drawState == TCheckBoxDrawState::Pressed) option.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    return;
  }

  const bool hot = drawState == TCheckBoxDrawState::Hot;
  const bool frameStyle = hotTrackStyle_ == THotTrackStyle::htsFrame;
  Outline(painter, box, hot && frameStyle ? DarkHotColor() : frameColor_);

  const QRect interior = box.adjusted(1, 1, -1, -1);
  TColor interiorColor = fillColor_;
  TColor markColor = highlightColor_;
  switch (drawState) {
    case TCheckBoxDrawState::Normal:
    case TCheckBoxDrawState::Hot:
      if (hasFocus()) {
        interiorColor = readOnly_ && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
      } else {
        interiorColor = readOnly_ ? readOnlyColor_ : fillColor_;
      }
      break;
    case TCheckBoxDrawState::Pressed: interiorColor = LowerLightness(focusColor_, 20); break;
    case TCheckBoxDrawState::Disabled:
      interiorColor = disabledColor_;
      markColor = clBtnShadow;
      break;
  }
  FillPixels(painter, interior, interiorColor);

  if (state_ == TCheckBoxState::cbChecked) {
    for (int column = 0; column < 7; ++column) {
      FillPixels(painter,
                 QRect(box.left() + kCheckMarkFirstColumn + column, box.top() + kCheckMarkStartRows[column], 1,
                       kCheckMarkColumnHeight),
                 markColor);
    }
  } else if (state_ == TCheckBoxState::cbGrayed) {
    FillPixels(painter, interior.adjusted(2, 2, -2, -2), markColor);
  }

  if (!hot) return;
  if (frameStyle) {
    Outline(painter, interior, DarkHotColor());
  } else if (!IsPaletteDisplay()) {
    // The ring: the interior's two outer rows and columns, shaded from the
    // dark hot colour at the top-left to the light one at the bottom-right.
    QLinearGradient gradient(interior.topLeft(), interior.bottomRight() + QPoint(1, 1));
    gradient.setColorAt(0.0, ToQColor(DarkHotColor()));
    gradient.setColorAt(1.0, ToQColor(LightHotColor()));
    const QBrush brush(gradient);
    painter.fillRect(QRect(interior.left(), interior.top(), interior.width(), 2), brush);
    painter.fillRect(QRect(interior.left(), interior.bottom() - 1, interior.width(), 2), brush);
    painter.fillRect(QRect(interior.left(), interior.top() + 2, 2, interior.height() - 4), brush);
    painter.fillRect(QRect(interior.right() - 1, interior.top() + 2, 2, interior.height() - 4), brush);
  }
}

void TZbCheckBox::DrawCaption(QImage& image) const {
  QPainter painter(&image);
  const QFont font = font_.ToQFont();
  painter.setFont(font);
  int flags = CaptionTextFlags(showAccelChar_, true);
  flags |= layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
  const QString text = CaptionToLayoutText(caption_);
  QRect area = CaptionRect();
  // The height the caption needs at this width decides where it sits.
  const int textHeight = QFontMetrics(font).boundingRect(area, flags | Qt::AlignTop, text).height();
  switch (alignmentVertical_) {
    case TVerticalAlignment::avTop: area.setHeight(textHeight); break;
    case TVerticalAlignment::avCenter:
      area = QRect(area.left(), area.top() + (area.height() - textHeight) / 2, area.width(), textHeight);
      break;
    case TVerticalAlignment::avBottom:
      area = QRect(area.left(), area.bottom() + 1 - textHeight - 1, area.width(), textHeight);
      break;
  }
  painter.setPen(ToQColor(isEnabled() ? font_.Color() : clGrayText));
  painter.drawText(area, flags | Qt::AlignTop, text);
}

void TZbCheckBox::DrawFocusFrame(QImage& image) const {
  if (!hasFocus()) return;
  const std::string trimmed = Trim(caption_);
  if (trimmed.empty()) return;
  const QRect grown = CaptionRect().adjusted(-1, -1, 1, 1);
  const QFontMetrics metrics(font_.ToQFont());
  const int captionWidth =
      metrics.boundingRect(QRect(0, 0, 0x7FFFFF, 0x7FFFFF), CaptionTextFlags(showAccelChar_, false), ShownCaption(trimmed))
          .width();
  const int frameWidth = std::min(grown.width(), captionWidth + 3);
  const int frameHeight = image.height();
  if (frameWidth <= 0 || frameHeight <= 0) return;
  const int left = grown.left();
  const int right = left + frameWidth - 1;
  const int bottom = frameHeight - 1;
  const QRgb black = qRgb(0, 0, 0);
  auto set = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) image.setPixel(x, y, black);
  };
  for (int x = left + 1; x <= right; x += 2) {
    set(x, 0);
    set(x, bottom);
  }
  for (int y = 1; y <= bottom; y += 2) {
    set(left, y);
    set(right, y);
  }
}

void TZbCheckBox::paintEvent(QPaintEvent* /*event*/) {
  const QImage image = Compose();
  QPainter painter(this);
  painter.drawImage(0, 0, image);
}

// -------------------------------------------------------------------- input

void TZbCheckBox::resizeEvent(QResizeEvent* event) {
  background_ = QImage();
  QWidget::resizeEvent(event);
}

void TZbCheckBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    background_ = QImage();
    if (!isEnabled()) {
      // A disabled window gets no input and no hover.
      mouseOver_ = false;
      tracking_ = false;
      spaceArmed_ = false;
      pressedLook_ = false;
    }
    update();
  } else if (event->type() == QEvent::LayoutDirectionChange) {
    update();
  }
  QWidget::changeEvent(event);
}

void TZbCheckBox::SetPressedLook(bool pressed) {
  if (pressedLook_ == pressed) return;
  pressedLook_ = pressed;
  update(BoxRect());
}

void TZbCheckBox::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (!isEnabled() || mouseOver_) return;
  mouseOver_ = true;
  if (hotTrack_) update(BoxRect());
}

void TZbCheckBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!mouseOver_) return;
  mouseOver_ = false;
  if (hotTrack_) update(BoxRect());
}

void TZbCheckBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    QWidget::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  if (!hasFocus()) return;
  tracking_ = true;
  SetPressedLook(true);
}

void TZbCheckBox::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_) return;
  SetPressedLook(rect().contains(event->position().toPoint()));
}

void TZbCheckBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  SetPressedLook(false);
  if (rect().contains(event->position().toPoint()) && !readOnly_) Toggle();
}

void TZbCheckBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
    if (!event->isAutoRepeat() && !readOnly_) {
      spaceArmed_ = true;
      SetPressedLook(true);
    }
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Escape && (spaceArmed_ || pressedLook_)) {
    spaceArmed_ = false;
    tracking_ = false;
    SetPressedLook(false);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TZbCheckBox::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    if (spaceArmed_) {
      spaceArmed_ = false;
      SetPressedLook(false);
      Toggle();
    }
    event->accept();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void TZbCheckBox::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  RepaintNow();
}

void TZbCheckBox::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  spaceArmed_ = false;
  tracking_ = false;
  pressedLook_ = false;
  RepaintNow();
}

bool TZbCheckBox::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    auto* shortcut = static_cast<QShortcutEvent*>(event);
    if (shortcut->shortcutId() == acceleratorShortcut_ && acceleratorShortcut_ != 0) {
      if (isEnabled()) {
        setFocus(Qt::ShortcutFocusReason);
        if (!readOnly_) Toggle();
      }
      return true;
    }
  }
  return QWidget::event(event);
}

}  // namespace zembrot
