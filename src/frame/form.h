#pragma once

// TForm: a top-level window with a menu bar and a client area. Its caption is
// a code-page byte string. With key preview on, every character typed in the
// window reaches OnKeyPress first, as code-page bytes, one call per byte.

#include <functional>
#include <string>

#include <QMainWindow>

namespace zembrot {

class TMainMenu;

class TForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // The area below the menu bar that holds the controls.
  QWidget* ClientArea() const { return clientArea_; }
  void SetClientSize(int width, int height);

  // Shows `menu` in the window's menu bar.
  void SetMenu(TMainMenu* menu);

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool keyPreview);

  // Receives every character typed anywhere in the window (with key
  // preview), before the focused control. Setting the key to 0 swallows it.
  std::function<void(QObject* sender, char& key)> OnKeyPress;

  // Delivers one code-page byte to OnKeyPress through the handler guard;
  // returns the key as the handler left it.
  char DeliverKey(char key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string caption_;
  QWidget* clientArea_;
  bool keyPreview_ = false;
};

}  // namespace zembrot
