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

#include "widgets/owner_draw_menu_item.h"

class QAction;
class QMenu;
class QMenuBar;

namespace zembrot {

class TMainMenu;

class TMenuItem : public TOwnerDrawMenuItem {
  Q_OBJECT

 public:
  explicit TMenuItem(QObject* owner = nullptr);
  ~TMenuItem() override;

  const std::string& Caption() const override { return caption_; }  // code-page bytes
  void SetCaption(const std::string& caption);
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled);
  // Shown bold: the command that a double click on the parent would run.
  bool Default() const override { return default_; }
  void SetDefault(bool isDefault);
  bool RadioItem() const override { return radioItem_; }
  void SetRadioItem(bool radioItem);
  int ShortCut() const override { return shortCut_; }
  void SetShortCut(int shortCut);
  int ImageIndex() const override { return imageIndex_; }
  void SetImageIndex(int imageIndex);
  // The images of this item's drop-down, taking the place of the menu's.
  TImageList* SubMenuImages() const { return subMenuImages_; }
  void SetSubMenuImages(TImageList* images);
  // The nearest parent item's SubMenuImages, else the menu's Images.
  const TImageList* ImageList() const override;

  // False also before the item has been placed.
  bool IsInMenuBar() const override { return menu_ != nullptr; }
  TMenuItem* Parent() const { return parent_; }

  // The item that a Qt entry of a menu shows, or null.
  static TMenuItem* FromAction(const QAction* action);

  // Freeing a child takes it out of the list.
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
  void AppearanceChanged() override;
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
  TImageList* subMenuImages_ = nullptr;
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
  ~TMainMenu() override;

  void Add(TMenuItem* item);
  const std::vector<TMenuItem*>& Items() const { return items_; }

  // With OwnerDraw the items' draw and measure handlers give the bar and
  // the drop-downs their look; set before the menu is attached.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw) { ownerDraw_ = ownerDraw; }
  // The images of the items; not owned.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images) { images_ = images; }

  // A menu bar that can show owner-drawn items, for the window to adopt.
  static QMenuBar* CreateMenuBar();
  // Builds the menu bar's entries for the items (called by TForm::SetMenu).
  void AttachTo(QMenuBar* menuBar);

 private:
  friend class TMenuItem;
  bool ownerDraw_ = false;
  TImageList* images_ = nullptr;
  std::vector<TMenuItem*> items_;
  QPointer<QMenuBar> menuBar_;
};

}  // namespace zembrot
