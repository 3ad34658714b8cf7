#pragma once

// What owner drawing sees of a menu item: the fields its look depends on and
// the two handlers that measure and draw it. The frame's TMenuItem is one;
// the menu controller hooks any of them.

#include <functional>
#include <string>

#include <QObject>

class QFont;
class QPainter;
class QRect;

namespace zembrot {

class TImageList;
class TOwnerDrawMenuItem;

// The draw state of an owner-drawn item: a set of these flags.
using TOwnerDrawState = unsigned;
constexpr TOwnerDrawState odSelected = 0x0001;
constexpr TOwnerDrawState odGrayed = 0x0002;
constexpr TOwnerDrawState odDisabled = 0x0004;
constexpr TOwnerDrawState odChecked = 0x0008;
constexpr TOwnerDrawState odFocused = 0x0010;
constexpr TOwnerDrawState odDefault = 0x0020;
constexpr TOwnerDrawState odHotLight = 0x0040;
constexpr TOwnerDrawState odInactive = 0x0080;
constexpr TOwnerDrawState odNoAccel = 0x0100;

// Draws the item into `rect` of `canvas`; the canvas carries the menu font.
using TAdvancedMenuDrawItemEvent =
    std::function<void(TOwnerDrawMenuItem* item, QPainter& canvas, const QRect& rect, TOwnerDrawState state)>;
// Adjusts the framework's default size of the item, measured in `canvasFont`.
using TMenuMeasureItemEvent =
    std::function<void(TOwnerDrawMenuItem* item, const QFont& canvasFont, int& width, int& height)>;

class TOwnerDrawMenuItem : public QObject {
  Q_OBJECT

 public:
  explicit TOwnerDrawMenuItem(QObject* owner = nullptr);
  ~TOwnerDrawMenuItem() override;

  virtual const std::string& Caption() const = 0;  // code-page bytes
  virtual bool Checked() const = 0;
  virtual bool Enabled() const = 0;
  // Shown bold.
  virtual bool Default() const = 0;
  // Checked shows a bullet instead of a check mark.
  virtual bool RadioItem() const = 0;
  // A Qt key combination (QKeyCombination::toCombined()); 0 for none.
  virtual int ShortCut() const = 0;
  virtual int ImageIndex() const = 0;
  // The images of the item's menu, or null.
  virtual const TImageList* ImageList() const { return nullptr; }
  // True for an item directly on the menu bar, false in a drop-down.
  virtual bool IsInMenuBar() const = 0;

  bool IsSeparator() const { return Caption() == "-"; }

  const TAdvancedMenuDrawItemEvent& OnAdvancedDrawItem() const { return onAdvancedDrawItem_; }
  void SetOnAdvancedDrawItem(TAdvancedMenuDrawItemEvent handler);
  const TMenuMeasureItemEvent& OnMeasureItem() const { return onMeasureItem_; }
  void SetOnMeasureItem(TMenuMeasureItemEvent handler);

 protected:
  // Whatever shows the item measures and paints it anew.
  virtual void AppearanceChanged() {}

 private:
  TAdvancedMenuDrawItemEvent onAdvancedDrawItem_;
  TMenuMeasureItemEvent onMeasureItem_;
};

}  // namespace zembrot
