#pragma once

// TMainMenu and TMenuItem: the main window's menu. An item with children
// opens a drop-down menu; an item without children runs OnClick, also when it
// sits directly on the menu bar. Clicking an item never changes its check
// mark by itself: only SetChecked does. A caption of "-" makes the item a
// separator.
//
// An owner-drawn menu (OwnerDraw) has every item that carries an
// OnAdvancedDrawItem handler drawn and measured by its handlers instead of
// the platform's look.

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

class QAction;
class QFont;
class QMenu;
class QMenuBar;
class QPainter;
class QRect;

namespace zembrot {

class TMainMenu;
class TMenuItem;

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
    std::function<void(TMenuItem* item, QPainter& canvas, const QRect& rect, TOwnerDrawState state)>;
// Adjusts the framework's default size of the item, measured in `canvasFont`.
using TMenuMeasureItemEvent = std::function<void(TMenuItem* item, const QFont& canvasFont, int& width, int& height)>;

class TMenuItem : public QObject {
  Q_OBJECT

 public:
  explicit TMenuItem(QObject* owner = nullptr);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }  // code-page bytes
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Shown bold: the command that a double click on the parent would run.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  // Checked shows a bullet instead of a check mark.
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radioItem);
  // A Qt key combination (QKeyCombination::toCombined()); 0 for none.
  int ShortCut() const { return shortCut_; }
  void SetShortCut(int shortCut);
  // No image list ever reaches a menu of this program, so no image is shown.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int imageIndex) { imageIndex_ = imageIndex; }

  bool IsSeparator() const { return caption_ == "-"; }
  // True for an item directly on the menu bar, false in a drop-down or
  // before it has been placed.
  bool IsInMenuBar() const { return menu_ != nullptr; }
  TMenuItem* Parent() const { return parent_; }

  const TAdvancedMenuDrawItemEvent& OnAdvancedDrawItem() const { return onAdvancedDrawItem_; }
  void SetOnAdvancedDrawItem(TAdvancedMenuDrawItemEvent handler);
  const TMenuMeasureItemEvent& OnMeasureItem() const { return onMeasureItem_; }
  void SetOnMeasureItem(TMenuMeasureItemEvent handler);

  // The item that a Qt entry of a menu shows, or null.
  static TMenuItem* FromAction(const QAction* action);

  void Add(TMenuItem* child);
  const std::vector<TMenuItem*>& Items() const { return items_; }

  std::function<void(QObject* sender)> OnClick;
  // Runs OnClick through the handler guard, as a click on the item does.
  void Click();

  // The Qt action that shows this item (set up by TMainMenu).
  QAction* Action() const { return action_; }

 private:
  friend class TMainMenu;
  void SyncAction();
  // Has the bar or drop-down showing the item measure and paint it anew.
  void AppearanceChanged();
  // Creates the Qt entries of this item and its children: a drop-down menu
  // when it has children, otherwise an action on `bar` or in `menu`.
  void BuildOn(QMenuBar* bar, QMenu* menu);
  void Triggered();

  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool default_ = false;
  bool radioItem_ = false;
  int shortCut_ = 0;
  int imageIndex_ = -1;
  TAdvancedMenuDrawItemEvent onAdvancedDrawItem_;
  TMenuMeasureItemEvent onMeasureItem_;
  TMenuItem* parent_ = nullptr;
  TMainMenu* menu_ = nullptr;
  std::vector<TMenuItem*> items_;
  // Owned by the menu bar or the drop-down that shows the item.
  QPointer<QAction> action_;
  QPointer<QMenu> subMenu_;
  bool inDropDown_ = false;
};

class TMainMenu : public QObject {
  Q_OBJECT

 public:
  explicit TMainMenu(QObject* owner = nullptr);

  void Add(TMenuItem* item);
  const std::vector<TMenuItem*>& Items() const { return items_; }

  // With OwnerDraw the items' draw and measure handlers give the bar and
  // the drop-downs their look; set before the menu is attached.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw) { ownerDraw_ = ownerDraw; }

  // A menu bar that can show owner-drawn items, for the window to adopt.
  static QMenuBar* CreateMenuBar();
  // Builds the menu bar's entries for the items (called by TForm::SetMenu).
  void AttachTo(QMenuBar* menuBar);

 private:
  bool ownerDraw_ = false;
  std::vector<TMenuItem*> items_;
  QPointer<QMenuBar> menuBar_;
};

}  // namespace zembrot
