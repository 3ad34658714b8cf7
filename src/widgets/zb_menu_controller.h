#pragma once

// TZbMenuController: gives every menu item of its owner (the main window) a
// flat look of its own — a framed gradient bar under the selected item, a
// light-to-dark icon bar down the left of drop-downs, check marks on a framed
// cell in that bar, grey text for disabled items, bold text for the default
// item — by hooking the items' draw and measure handlers. The menu must be
// owner-drawn (TMainMenu::OwnerDraw in the frame) for the handlers to be called.

#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "widgets/colors.h"
#include "widgets/owner_draw_menu_item.h"

class QFont;
class QPainter;
class QRect;

namespace zembrot {

enum class TGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };

// The colours a draw works with, derived anew at every draw.
struct TMenuColors {
  TColor selectionFrame;
  TColor selectionTop;
  TColor selectionBottom;
  TColor iconBarLeft;
  TColor iconBarRight;
};

bool operator==(const TMenuColors& a, const TMenuColors& b);

// The three fixed office schemes, 0 to 2 (others count as 0).
TMenuColors OfficeColorScheme(int scheme);
// The scheme a visual-style colour name selects: "HOMESTEAD" 1, "METALLIC" 2,
// compared in upper case; anything else 0.
int OfficeSchemeForColorName(const std::string& colorName);

// Fills `rect` with a gradient through an off-screen image: vertically from
// `bottom` at the bottom row towards `top` at the top row, or horizontally
// from `right` at the right-most column towards `left` at the left edge.
// Channels step in 16-bit fixed point; the last row or column comes within
// one step of its end colour.
void FillVerticalGradient(QPainter& canvas, const QRect& rect, TColor top, TColor bottom);
void FillHorizontalGradient(QPainter& canvas, const QRect& rect, TColor left, TColor right);

// Whether a caption is drawn without accelerator underlines: only when the
// state carries odNoAccel and the user has keyboard cues switched off. Where
// the platform keeps no such preference (`cuesPreference` empty), cues count
// as on.
bool HidesAccelerators(TOwnerDrawState state, std::optional<bool> cuesPreference);

// A colour named by its identifier ("clBtnFace", "clRed", ...) or given as
// an integer (decimal or "$" hexadecimal). An unknown identifier that is no
// integer raises EConvertError.
TColor StoredColor(const std::string& text);

class TZbMenuController : public QObject {
  Q_OBJECT

 public:
  explicit TZbMenuController(QObject* owner = nullptr);
  ~TZbMenuController() override;

  TGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  void SetGradientColorStyle(TGradientColorStyle style) { gradientColorStyle_ = style; }
  TColor SelectionColorStart() const { return selectionColorStart_; }
  void SetSelectionColorStart(TColor color) { selectionColorStart_ = color; }
  TColor SelectionColorStop() const { return selectionColorStop_; }
  void SetSelectionColorStop(TColor color) { selectionColorStop_ = color; }
  TColor SelectionFrameColor() const { return selectionFrameColor_; }
  void SetSelectionFrameColor(TColor color) { selectionFrameColor_ = color; }
  TColor IconBarColorStart() const { return iconBarColorStart_; }
  void SetIconBarColorStart(TColor color) { iconBarColorStart_ = color; }
  TColor IconBarColorStop() const { return iconBarColorStop_; }
  void SetIconBarColorStop(TColor color) { iconBarColorStop_ = color; }
  TColor MenuColor() const { return menuColor_; }
  void SetMenuColor(TColor color) { menuColor_ = color; }
  TColor MenuFontColor() const { return menuFontColor_; }
  void SetMenuFontColor(TColor color) { menuFontColor_ = color; }

  // Applies one stored property: a published name, or one of the older
  // names "GradientColorDefault" and "ThemeAware" (booleans, ignored),
  // "GradientColorStart", "GradientColorStop" and "FrameColor". An unknown
  // name or a value that does not fit raises EReadError or EConvertError and
  // changes nothing.
  void SetStoredProperty(const std::string& name, const std::string& value);

  // Called once the owner's layout has been read: hooks every menu item the
  // owner holds, except one that draws itself, and from then on hooks items
  // the owner gains and unhooks items it loses.
  void Loaded();

  // The hooked items, in the order they were hooked.
  const std::vector<TOwnerDrawMenuItem*>& HookedItems() const { return hookedItems_; }

  // The colours of a draw right now.
  TMenuColors EffectiveColors() const;
  // The same rules with the display's facts given: visual styles in force
  // (never in this program: the main window does not ask for them), the
  // office scheme and a palette-based display.
  TMenuColors EffectiveColors(bool visualStylesInForce, int officeScheme, bool paletteDisplay) const;

  // The handlers a hooked item gets.
  void MeasureItem(TOwnerDrawMenuItem* item, const QFont& canvasFont, int& width, int& height) const;
  void AdvancedDrawItem(TOwnerDrawMenuItem* item, QPainter& canvas, const QRect& rect, TOwnerDrawState state) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Hook(TOwnerDrawMenuItem* item);
  void Unhook(TOwnerDrawMenuItem* item);
  void ItemDestroyed(QObject* item);
  void DrawCheckCell(QPainter& canvas, const QRect& iconBar, const TOwnerDrawMenuItem& item, bool selected,
                     const TMenuColors& colors) const;
  void DrawCaption(QPainter& canvas, QRect textRect, const TOwnerDrawMenuItem& item, TOwnerDrawState state,
                   TColor fontColor) const;

  TGradientColorStyle gradientColorStyle_ = TGradientColorStyle::gcsSystem;
  TColor selectionColorStart_ = clBtnFace;
  TColor selectionColorStop_ = clBtnShadow;
  TColor selectionFrameColor_ = cl3DDkShadow;
  TColor iconBarColorStart_ = clWhite;
  TColor iconBarColorStop_ = clBtnFace;
  TColor menuColor_ = clWindow;
  TColor menuFontColor_ = clWindowText;

  std::vector<TOwnerDrawMenuItem*> hookedItems_;
  bool loaded_ = false;
};

}  // namespace zembrot
