#include "frame/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "frame/application.h"
#include "widgets/text_drawing.h"

namespace zembrot {

TMenuItem::TMenuItem(QObject* owner) : QObject(owner) {}

TMenuItem::~TMenuItem() {
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

void TMenuItem::Add(TMenuItem* child) {
  if (child == nullptr) return;
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
  action_->setEnabled(enabled_);
  // A check mark only in drop-downs, and only while checked: an unchecked
  // item shows no empty box.
  action_->setCheckable(inDropDown_ && checked_);
  action_->setChecked(inDropDown_ && checked_);
}

void TMenuItem::BuildOn(QMenuBar* bar, QMenu* menu) {
  inDropDown_ = menu != nullptr;
  if (!items_.empty()) {
    QMenu* dropDown = bar != nullptr ? bar->addMenu(CodePageToQString(caption_)) : menu->addMenu(CodePageToQString(caption_));
    subMenu_ = dropDown;
    action_ = dropDown->menuAction();
    for (TMenuItem* child : items_) child->BuildOn(nullptr, dropDown);
  } else {
    QAction* action = bar != nullptr ? bar->addAction(CodePageToQString(caption_)) : menu->addAction(CodePageToQString(caption_));
    action_ = action;
    connect(action, &QAction::triggered, this, &TMenuItem::Triggered);
  }
  SyncAction();
}

void TMenuItem::Triggered() {
  // Qt toggles a checkable action on its own; the mark changes only through
  // SetChecked.
  SyncAction();
  Click();
}

TMainMenu::TMainMenu(QObject* owner) : QObject(owner) {}

void TMainMenu::Add(TMenuItem* item) {
  if (item == nullptr) return;
  items_.push_back(item);
  if (menuBar_) item->BuildOn(menuBar_, nullptr);
}

void TMainMenu::AttachTo(QMenuBar* menuBar) {
  if (menuBar == nullptr) return;
  menuBar_ = menuBar;
  for (TMenuItem* item : items_) item->BuildOn(menuBar, nullptr);
}

}  // namespace zembrot
