#include "frame/menu.h"

#include <vector>

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "frame/application.h"
#include "widgets/caption_text.h"
#include "widgets/colors.h"

namespace zembrot {

namespace {

// The caption as it shows: "&" marks the next character, "&&" shows one "&".
QString WithoutAcceleratorMarks(const std::string& caption) {
  const QString text = CodePageToQString(caption);
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

// The entry property that leads from a Qt entry back to its item.
constexpr char kItemProperty[] = "zembrotMenuItem";

// What the platform adds to the width an owner-drawn item asks for: room
// around a menu-bar caption, and room after the text of a drop-down item.
constexpr int kMenuBarItemAddition = 12;
constexpr int kDropDownItemAddition = 16;

// Draws and measures the items whose own handlers do that, and leaves every
// other item to the application's style. One instance serves every
// owner-drawn menu; it lives as long as the application, longer than any
// menu that uses it.
class OwnerDrawMenuStyle : public QProxyStyle {
 public:
  static OwnerDrawMenuStyle* Instance() {
    static QPointer<OwnerDrawMenuStyle> instance;
    if (!instance) {
      instance = new OwnerDrawMenuStyle;
      instance->setParent(QCoreApplication::instance());
    }
    return instance;
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_MenuBarEmptyArea && option != nullptr && painter != nullptr) {
      // The bar beyond its items is button face like the items' cells, down
      // to its last row: the application's style would draw a line under it.
      painter->fillRect(option->rect, ToQColor(clBtnFace));
      return;
    }
    const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if ((element != CE_MenuItem && element != CE_MenuBarItem) || menuOption == nullptr || painter == nullptr) {
      QProxyStyle::drawControl(element, option, painter, widget);
      return;
    }
    TMenuItem* item = DrawnItem(*menuOption);
    if (item == nullptr) {
      QStyleOptionMenuItem plain = ForBaseStyle(*menuOption, widget);
      QProxyStyle::drawControl(element, &plain, painter, widget);
      return;
    }
    const TOwnerDrawState state = DrawState(element, *menuOption, *item, widget);
    painter->save();
    if (widget != nullptr) painter->setFont(widget->font());
    const QRect rect = menuOption->rect;
    // A copy: the handler may replace itself while it runs.
    const TAdvancedMenuDrawItemEvent handler = item->OnAdvancedDrawItem();
    RunGuarded([&] { handler(item, *painter, rect, state); });
    painter->restore();
  }

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                         const QWidget* widget) const override {
    const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if ((type != CT_MenuItem && type != CT_MenuBarItem) || menuOption == nullptr) {
      return QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
    }
    TMenuItem* item = DrawnItem(*menuOption);
    if (item == nullptr) {
      QStyleOptionMenuItem plain = ForBaseStyle(*menuOption, widget);
      return QProxyStyle::sizeFromContents(type, &plain, contentsSize, widget);
    }
    const QFont font = widget != nullptr ? widget->font() : QApplication::font("QMenu");
    // The default measure: the caption's text width, "&" marks not counted.
    const QFontMetrics metrics(font);
    int width = item->IsSeparator() ? 0 : metrics.horizontalAdvance(WithoutAcceleratorMarks(item->Caption()));
    int height = metrics.height();
    const TMenuMeasureItemEvent handler = item->OnMeasureItem();
    if (handler) RunGuarded([&] { handler(item, font, width, height); });
    width += type == CT_MenuBarItem ? kMenuBarItemAddition : kDropDownItemAddition;
    return QSize(width, height);
  }

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    switch (metric) {
      // Bar items sit edge to edge, as tall as they measure.
      case PM_MenuBarItemSpacing:
      case PM_MenuBarHMargin:
      case PM_MenuBarVMargin:
      case PM_MenuBarPanelWidth:
        return 0;
      // A drop-down: a one-pixel frame, the items right inside it.
      case PM_MenuPanelWidth:
        return 1;
      case PM_MenuHMargin:
      case PM_MenuVMargin:
        return 1;
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

 private:
  OwnerDrawMenuStyle() = default;

  static TMenuItem* DrawnItem(const QStyleOptionMenuItem& option) {
    auto* item = qobject_cast<TMenuItem*>(option.styleObject);
    return item != nullptr && item->OnAdvancedDrawItem() ? item : nullptr;
  }

  // The application's style expects the widget, as Qt leaves it.
  static QStyleOptionMenuItem ForBaseStyle(const QStyleOptionMenuItem& option, const QWidget* widget) {
    QStyleOptionMenuItem plain(option);
    plain.styleObject = const_cast<QWidget*>(widget);
    return plain;
  }

  TOwnerDrawState DrawState(ControlElement element, const QStyleOptionMenuItem& option, const TMenuItem& item,
                            const QWidget* widget) const {
    TOwnerDrawState state = 0;
    const bool selected = (option.state & State_Selected) != 0;
    if (element == CE_MenuBarItem) {
      // Open (its drop-down showing or pressed) is selected; under the mouse is hot.
      if (selected) state |= (option.state & State_Sunken) != 0 ? odSelected : odHotLight;
      // The bar's options carry no activation state of their own.
      if (widget != nullptr && !widget->isActiveWindow()) state |= odInactive;
    } else if (selected) {
      state |= odSelected;
    }
    if ((option.state & State_Enabled) == 0) state |= odDisabled | odGrayed;
    if (item.Checked()) state |= odChecked;
    if (item.Default()) state |= odDefault;
    if (proxy()->styleHint(SH_UnderlineShortcut, &option, widget) == 0) state |= odNoAccel;
    return state;
  }
};

bool UsesOwnerDrawStyle(const QWidget& widget) { return widget.style() == OwnerDrawMenuStyle::Instance(); }

// The bar and the drop-downs of a TMainMenu tell the style which item each
// entry shows, through the option's style object.
class MenuBarWidget : public QMenuBar {
 public:
  using QMenuBar::QMenuBar;

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
    QMenuBar::initStyleOption(option, action);
    if (TMenuItem* item = TMenuItem::FromAction(action); item != nullptr && UsesOwnerDrawStyle(*this)) {
      option->styleObject = item;
    }
  }
};

class DropDownMenu : public QMenu {
 public:
  DropDownMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {
    // A drop-down of an owner-drawn menu is owner-drawn too.
    if (parent != nullptr && UsesOwnerDrawStyle(*parent)) setStyle(parent->style());
  }

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
    QMenu::initStyleOption(option, action);
    if (TMenuItem* item = TMenuItem::FromAction(action); item != nullptr && UsesOwnerDrawStyle(*this)) {
      option->styleObject = item;
    }
  }
};

}  // namespace

TMenuItem::TMenuItem(QObject* owner) : TOwnerDrawMenuItem(owner) {}

TMenuItem::~TMenuItem() {
  // A freed item leaves its parent's list (and its menu's) at once.
  if (parent_ != nullptr) std::erase(parent_->items_, this);
  if (menu_ != nullptr && parent_ == nullptr) std::erase(menu_->items_, this);
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  if (subMenu_) {
    delete subMenu_.data();
  } else if (action_) {
    delete action_.data();
  }
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  SyncAction();
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  SyncAction();
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  SyncAction();
}

void TMenuItem::SetDefault(bool isDefault) {
  default_ = isDefault;
  SyncAction();
}

void TMenuItem::SetRadioItem(bool radioItem) {
  radioItem_ = radioItem;
  SyncAction();
}

void TMenuItem::SetShortCut(int shortCut) {
  shortCut_ = shortCut;
  SyncAction();
}

void TMenuItem::SetImageIndex(int imageIndex) {
  imageIndex_ = imageIndex;
  AppearanceChanged();
}

void TMenuItem::SetSubMenuImages(TImageList* images) {
  subMenuImages_ = images;
  for (TMenuItem* child : items_) child->AppearanceChanged();
}

const TImageList* TMenuItem::ImageList() const {
  const TMenuItem* top = this;
  for (const TMenuItem* parent = parent_; parent != nullptr; parent = parent->parent_) {
    if (parent->subMenuImages_ != nullptr) return parent->subMenuImages_;
    top = parent;
  }
  return top->menu_ != nullptr ? top->menu_->Images() : nullptr;
}

TMenuItem* TMenuItem::FromAction(const QAction* action) {
  if (action == nullptr) return nullptr;
  return qobject_cast<TMenuItem*>(action->property(kItemProperty).value<QObject*>());
}

void TMenuItem::AppearanceChanged() {
  if (!action_) return;
  // The bar or drop-down showing the entry measures and paints it again.
  for (QObject* host : action_->associatedObjects()) {
    QActionEvent event(QEvent::ActionChanged, action_);
    QCoreApplication::sendEvent(host, &event);
  }
}

void TMenuItem::Add(TMenuItem* child) {
  if (child == nullptr) return;
  child->parent_ = this;
  items_.push_back(child);
  // An item already on screen shows a new child at once.
  if (subMenu_) {
    child->BuildOn(nullptr, subMenu_);
  } else if (action_) {
    QWidget* host = qobject_cast<QWidget*>(action_->parent());
    auto* bar = qobject_cast<QMenuBar*>(host);
    auto* menu = qobject_cast<QMenu*>(host);
    const QPointer<QAction> old = action_;
    action_ = nullptr;
    BuildOn(bar, menu);
    // Keep the entry's place in its bar or drop-down.
    if (old && host != nullptr && action_) {
      host->insertAction(old, action_);
      delete old.data();
    }
  }
}

void TMenuItem::Click() {
  RunGuarded([this] {
    // A copy: the handler may replace OnClick while it runs.
    const auto handler = OnClick;
    if (handler) handler(this);
  });
}

void TMenuItem::SyncAction() {
  if (!action_) return;
  action_->setText(CodePageToQString(caption_));
  action_->setSeparator(IsSeparator());
  action_->setEnabled(enabled_);
  action_->setShortcut(QKeySequence(shortCut_));
  // A check mark only in drop-downs, and only while checked: an unchecked
  // item shows no empty box.
  action_->setCheckable(inDropDown_ && checked_);
  action_->setChecked(inDropDown_ && checked_);
}

void TMenuItem::BuildOn(QMenuBar* bar, QMenu* menu) {
  inDropDown_ = menu != nullptr;
  if (!items_.empty()) {
    QWidget* host = bar != nullptr ? static_cast<QWidget*>(bar) : static_cast<QWidget*>(menu);
    auto* dropDown = new DropDownMenu(CodePageToQString(caption_), host);
    if (bar != nullptr) {
      bar->addMenu(dropDown);
    } else {
      menu->addMenu(dropDown);
    }
    subMenu_ = dropDown;
    action_ = dropDown->menuAction();
    for (TMenuItem* child : items_) child->BuildOn(nullptr, dropDown);
  } else {
    QAction* action = bar != nullptr ? bar->addAction(CodePageToQString(caption_)) : menu->addAction(CodePageToQString(caption_));
    action_ = action;
    connect(action, &QAction::triggered, this, &TMenuItem::Triggered);
  }
  action_->setProperty(kItemProperty, QVariant::fromValue<QObject*>(this));
  SyncAction();
}

void TMenuItem::Triggered() {
  // Qt toggles a checkable action on its own; the mark changes only through
  // SetChecked.
  SyncAction();
  Click();
}

TMainMenu::TMainMenu(QObject* owner) : QObject(owner) {}

TMainMenu::~TMainMenu() {
  for (TMenuItem* item : items_) item->menu_ = nullptr;
}

void TMainMenu::Add(TMenuItem* item) {
  if (item == nullptr) return;
  item->menu_ = this;
  items_.push_back(item);
  if (menuBar_) item->BuildOn(menuBar_, nullptr);
}

QMenuBar* TMainMenu::CreateMenuBar() { return new MenuBarWidget; }

void TMainMenu::AttachTo(QMenuBar* menuBar) {
  if (menuBar == nullptr) return;
  menuBar_ = menuBar;
  // A menu bar shows the platform's menu font, whatever its window's font.
  menuBar->setFont(QApplication::font("QMenuBar"));
  if (ownerDraw_) menuBar->setStyle(OwnerDrawMenuStyle::Instance());
  for (TMenuItem* item : items_) item->BuildOn(menuBar, nullptr);
}

}  // namespace zembrot
