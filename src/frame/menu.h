#pragma once

// TMainMenu and TMenuItem: the main window's menu. An item with children
// opens a drop-down menu; an item without children runs OnClick, also when it
// sits directly on the menu bar. Clicking an item never changes its check
// mark by itself: only SetChecked does.

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QMenuBar;

namespace zembrot {

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
  // Creates the Qt entries of this item and its children: a drop-down menu
  // when it has children, otherwise an action on `bar` or in `menu`.
  void BuildOn(QMenuBar* bar, QMenu* menu);
  void Triggered();

  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
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

  // Builds the menu bar's entries for the items (called by TForm::SetMenu).
  void AttachTo(QMenuBar* menuBar);

 private:
  std::vector<TMenuItem*> items_;
  QPointer<QMenuBar> menuBar_;
};

}  // namespace zembrot
