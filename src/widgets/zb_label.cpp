#include "widgets/zb_label.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include "widgets/caption_text.h"
#include "widgets/zb_panel.h"

namespace zembrot {

namespace {

// The program-wide reference to the scheduler; empty while no label exists.
std::unique_ptr<TZbBlinkingControlsList>& SchedulerSlot() {
  static std::unique_ptr<TZbBlinkingControlsList> scheduler;
  return scheduler;
}

// The platform never runs a timer faster than this; an interval of 0 would
// otherwise spin the GUI loop.
constexpr unsigned kShortestTimerInterval = 10;

// The colour a form-like parent (a plain QWidget) gives its children.
constexpr TColor kWindowColor = clBtnFace;

}  // namespace

// ---------------------------------------------------------------- scheduler

TZbBlinkingControlsList::TZbBlinkingControlsList() {
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Fire(); });
  ArmTimer(intervalOff_);
}

TZbBlinkingControlsList::~TZbBlinkingControlsList() = default;

TZbBlinkingControlsList* TZbBlinkingControlsList::Instance() { return SchedulerSlot().get(); }

void TZbBlinkingControlsList::SetBlinkIntervalOn(unsigned milliseconds) {
  intervalOn_ = static_cast<std::uint16_t>(milliseconds);
}

void TZbBlinkingControlsList::SetBlinkIntervalOff(unsigned milliseconds) {
  intervalOff_ = static_cast<std::uint16_t>(milliseconds);
}

void TZbBlinkingControlsList::ArmTimer(unsigned milliseconds) {
  timer_.start(static_cast<int>(std::max(milliseconds, kShortestTimerInterval)));
}

void TZbBlinkingControlsList::Fire() {
  if (phase_ == 0) {
    phase_ = 1;
    ArmTimer(intervalOn_);
  } else {
    phase_ = 0;
    ArmTimer(intervalOff_);
  }
  // Indexed, and the bound read each time: a label must never be reached
  // after it has left the list.
  for (std::size_t index = 0; index < controls_.size(); ++index) {
    TZbLabel* label = controls_[index];
    if (label->BlinkQuery() == 1) label->BlinkNotify(phase_);
  }
}

void TZbBlinkingControlsList::Register(TZbLabel* label) {
  auto& slot = SchedulerSlot();
  if (!slot) slot.reset(new TZbBlinkingControlsList());
  slot->controls_.push_back(label);
}

void TZbBlinkingControlsList::Unregister(TZbLabel* label) {
  auto& slot = SchedulerSlot();
  if (!slot) return;
  auto& controls = slot->controls_;
  controls.erase(std::remove(controls.begin(), controls.end(), label), controls.end());
  if (controls.empty()) slot.reset();
}

// -------------------------------------------------------------------- label

TZbLabel::TZbLabel(QWidget* parent) : QWidget(parent) {
  // A label takes the mouse over its area, as a graphic control does: a
  // click there goes to the label (which ignores it, so it goes on to the
  // parent), never to a control it covers.
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
  setGeometry(0, 0, 65, 17);
  font_.OnChange = [this] { FontChanged(); };
  TZbBlinkingControlsList::Register(this);
  TakeParentLooks();
  // A control is visible from its creation; a Qt child created after its
  // parent was shown would otherwise stay hidden.
  if (parent != nullptr) show();
}

TZbLabel::~TZbLabel() {
  font_.OnChange = nullptr;
  TZbBlinkingControlsList::Unregister(this);
}

bool TZbLabel::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::ParentChange) {
    TakeParentLooks();
    if (parentWidget() != nullptr) show();
  }
  return handled;
}

void TZbLabel::TakeParentLooks() {
  QWidget* parent = parentWidget();
  if (parent == nullptr) return;
  const auto* panel = qobject_cast<const TZbPanel*>(parent);
  copyingParentLooks_ = true;
  if (parentColor_) {
    const TColor color = panel != nullptr ? panel->Color() : kWindowColor;
    if (color != color_) {
      color_ = color;
      update();
    }
  }
  // The font copy counts as a font change (resting colour, size), also when
  // the parent's font equals the label's own.
  if (parentFont_) font_.Assign(panel != nullptr ? panel->Font() : TFont());
  copyingParentLooks_ = false;
}

void TZbLabel::SetParentFont(bool parentFont) {
  if (parentFont_ == parentFont) return;
  parentFont_ = parentFont;
  if (parentFont_) TakeParentLooks();
}

void TZbLabel::SetParentColor(bool parentColor) {
  if (parentColor_ == parentColor) return;
  parentColor_ = parentColor;
  if (parentColor_) TakeParentLooks();
}

void TZbLabel::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  update();
  AdjustBounds();
  RepaintNow();
}

void TZbLabel::SetLeft(int left) { move(left, y()); }
void TZbLabel::SetTop(int top) { move(x(), top); }
void TZbLabel::SetWidth(int width) { resize(width, height()); }
void TZbLabel::SetHeight(int height) { resize(width(), height); }

void TZbLabel::SetAutoSize(bool autoSize) {
  if (autoSize_ == autoSize) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

void TZbLabel::SetAlignment(TAlignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  update();
}

void TZbLabel::SetLayout(TTextLayout layout) {
  if (layout_ == layout) return;
  layout_ = layout;
  update();
}

void TZbLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap_ == wordWrap) return;
  wordWrap_ = wordWrap;
  AdjustBounds();
  update();
}

void TZbLabel::SetShowAccelChar(bool show) {
  if (showAccelChar_ == show) return;
  showAccelChar_ = show;
  update();
}

void TZbLabel::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  // An opaque label paints every pixel itself; a transparent one lets Qt
  // paint the parent (and the siblings below) under it first.
  setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
  update();
}

void TZbLabel::SetColor(TColor color) {
  parentColor_ = false;
  if (color_ == color) return;
  color_ = color;
  update();
}

void TZbLabel::SetBlinking(bool blinking) {
  if (blinking_ == blinking) return;
  blinking_ = blinking;
  // Starting changes nothing visible: the scheduler's next blink-colour
  // phase does. Stopping returns to the resting colour at once.
  if (!blinking_) {
    drawingColor_ = restingColor_;
    RepaintNow();
  }
}

unsigned TZbLabel::BlinkIntervalOn() const { return TZbBlinkingControlsList::Instance()->BlinkIntervalOn(); }
void TZbLabel::SetBlinkIntervalOn(unsigned milliseconds) {
  TZbBlinkingControlsList::Instance()->SetBlinkIntervalOn(milliseconds);
}
unsigned TZbLabel::BlinkIntervalOff() const { return TZbBlinkingControlsList::Instance()->BlinkIntervalOff(); }
void TZbLabel::SetBlinkIntervalOff(unsigned milliseconds) {
  TZbBlinkingControlsList::Instance()->SetBlinkIntervalOff(milliseconds);
}

void TZbLabel::BlinkNotify(int phase) {
  if (!blinking_) return;
  drawingColor_ = phase == 1 ? blinkColor_ : restingColor_;
  RepaintNow();
}

void TZbLabel::RepaintNow() {
  if (!isVisible()) return;
  repaint();
}

void TZbLabel::FontChanged() {
  if (!copyingParentLooks_) parentFont_ = false;
  // While blinking, the label keeps alternating with the colour it had when
  // blinking began; a new font colour shows only after a later font change.
  if (!blinking_) {
    restingColor_ = font_.Color();
    drawingColor_ = font_.Color();
  }
  AdjustBounds();
  update();
}

int TZbLabel::TextFlags() const { return CaptionTextFlags(showAccelChar_, wordWrap_); }

void TZbLabel::AdjustBounds() {
  if (!autoSize_) return;
  // An empty caption (and a lone accelerator mark, which draws nothing)
  // still takes the height of a line.
  QString measured = CaptionToLayoutText(caption_);
  if (caption_.empty() || (showAccelChar_ && caption_ == "&")) measured += QLatin1Char(' ');
  const QFontMetrics metrics(font_.ToQFont());
  // Without word breaks the text sets its own width; with them, the current
  // width is the limit.
  const int limit = wordWrap_ ? std::max(width(), 1) : 0x7FFFFF;
  const QRect bounds = metrics.boundingRect(QRect(0, 0, limit, 0x7FFFFF), TextFlags() | Qt::AlignLeft | Qt::AlignTop,
                                            measured);
  const int newWidth = bounds.width();
  const int newHeight = bounds.height();
  int left = x();
  if (alignment_ == TAlignment::taRightJustify) left += width() - newWidth;
  setGeometry(left, y(), newWidth, newHeight);
}

void TZbLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (!transparent_) painter.fillRect(rect(), ToQColor(color_));
  const QFont font = font_.ToQFont();
  painter.setFont(font);
  int flags = TextFlags();
  switch (alignment_) {
    case TAlignment::taLeftJustify: flags |= Qt::AlignLeft; break;
    case TAlignment::taRightJustify: flags |= Qt::AlignRight; break;
    case TAlignment::taCenter: flags |= Qt::AlignHCenter; break;
  }
  const QString text = CaptionToLayoutText(caption_);
  QRect textRect = rect();
  if (layout_ != TTextLayout::tlTop) {
    const QFontMetrics metrics(font);
    const int textHeight = metrics.boundingRect(textRect, flags, text).height();
    const int freeHeight = textRect.height() - textHeight;
    textRect.translate(0, layout_ == TTextLayout::tlCenter ? freeHeight / 2 : freeHeight);
  }
  painter.setPen(ToQColor(isEnabled() ? drawingColor_ : clGrayText));
  painter.drawText(textRect, flags | Qt::AlignTop, text);
}

}  // namespace zembrot
