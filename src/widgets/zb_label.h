#pragma once

// TZbLabel: the word label. It sizes itself to its text from its top-left
// corner, draws its text on a transparent or filled background, repaints at
// once when its caption changes, and can blink under the one shared blink
// scheduler (TZbBlinkingControlsList).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>
#include <QWidget>

#include "widgets/alignment.h"

#include "widgets/colors.h"
#include "widgets/font.h"

namespace zembrot {

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TZbLabel : public QWidget {
  Q_OBJECT

 public:
  // Creates the label on `parent` (owner and parent at once): it registers
  // with the blink scheduler and takes the parent's font and colour.
  explicit TZbLabel(QWidget* parent = nullptr);
  ~TZbLabel() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // A stored second text; never shown (no tooltips).
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  int Left() const { return x(); }
  void SetLeft(int left);
  int Top() const { return y(); }
  void SetTop(int top);
  int Width() const { return width(); }
  void SetWidth(int width);
  int Height() const { return height(); }
  void SetHeight(int height);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }

  bool Blinking() const { return blinking_; }
  void SetBlinking(bool blinking);
  TColor BlinkColor() const { return blinkColor_; }
  void SetBlinkColor(TColor color) { blinkColor_ = color; }
  // Shared by all labels: they are the scheduler's two values.
  unsigned BlinkIntervalOn() const;
  void SetBlinkIntervalOn(unsigned milliseconds);
  unsigned BlinkIntervalOff() const;
  void SetBlinkIntervalOff(unsigned milliseconds);

  // The colour the text is drawn in now, and the colour it rests in.
  TColor DrawingColor() const { return drawingColor_; }
  TColor RestingColor() const { return restingColor_; }

  // Paints the label before returning (for a transparent label, its parent's
  // background under it first).
  void RepaintNow();

  // The scheduler's notification of a new phase (1 blink colour, 0 font colour).
  void BlinkNotify(int phase);
  // The scheduler's question: 1 when the label blinks now, else 0.
  int BlinkQuery() const { return blinking_ ? 1 : 0; }

  // True while the label follows its parent's font (colour): set when it is
  // created, cleared by any change made to its own font (colour). A label
  // inserted into a parent copies the parent's font and colour while these
  // are set.
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void FontChanged();
  void AdjustBounds();
  void TakeParentLooks();
  int TextFlags() const;

  bool parentFont_ = true;
  bool parentColor_ = true;
  bool copyingParentLooks_ = false;

  std::string caption_;
  std::string hint_;
  bool autoSize_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  TColor color_ = clBtnFace;
  TFont font_;
  bool blinking_ = false;
  TColor blinkColor_ = clHighlight;
  TColor restingColor_ = clBlack;
  TColor drawingColor_ = clBlack;
};

// The one blink scheduler: a single timer that switches every blinking label
// together. It exists exactly while any TZbLabel exists: the first label
// creates it, the last one destroys it, and the next label starts it afresh.
class TZbBlinkingControlsList {
 public:
  ~TZbBlinkingControlsList();
  TZbBlinkingControlsList(const TZbBlinkingControlsList&) = delete;
  TZbBlinkingControlsList& operator=(const TZbBlinkingControlsList&) = delete;

  // The running scheduler, or nullptr when no label exists.
  static TZbBlinkingControlsList* Instance();

  // 1 = blink-colour phase, 0 = font-colour phase.
  int Phase() const { return phase_; }
  // Milliseconds, unsigned 16-bit; a new value applies from the next firing.
  unsigned BlinkIntervalOn() const { return intervalOn_; }
  void SetBlinkIntervalOn(unsigned milliseconds);
  unsigned BlinkIntervalOff() const { return intervalOff_; }
  void SetBlinkIntervalOff(unsigned milliseconds);

  std::size_t ControlCount() const { return controls_.size(); }
  // The interval the timer is armed with now, and whether it runs.
  int TimerInterval() const { return timer_.interval(); }
  bool TimerActive() const { return timer_.isActive(); }

  // One timer firing: switch the phase, re-arm the timer with the new
  // phase's interval and tell every blinking label. The timer calls it;
  // tests may call it to step through the phases deterministically.
  void Fire();

 private:
  friend class TZbLabel;
  TZbBlinkingControlsList();
  static void Register(TZbLabel* label);
  static void Unregister(TZbLabel* label);
  void ArmTimer(unsigned milliseconds);

  QTimer timer_;
  std::vector<TZbLabel*> controls_;
  std::uint8_t phase_ = 1;
  std::uint16_t intervalOn_ = 500;
  std::uint16_t intervalOff_ = 500;
};

}  // namespace zembrot
