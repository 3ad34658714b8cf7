#pragma once

// TForm: a top-level window with a menu bar and a client area. Its caption is
// a code-page byte string. With key preview on, every character typed in the
// window reaches OnKeyPress first, as code-page bytes, one call per byte.

#include <functional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>

class QInputMethodEvent;
class QInputMethodQueryEvent;
class QKeyEvent;

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

  // `control` (a child of the client area) keeps its height and spans the
  // full client width at the top, below earlier top-aligned controls, on
  // every resize.
  void SetAlignTop(QWidget* control);

  // The controls with a window of their own, in tab order. While one of
  // them has the focus, the arrow keys move it to the next (Right, Down) or
  // previous (Left, Up) of its siblings in this order that can take it.
  void SetTabOrder(std::vector<QWidget*> controls);

  // Receives every character typed anywhere in the window (with key
  // preview), before the focused control. Setting the key to 0 swallows it.
  // It already runs inside the handler guard; a character whose handler
  // failed does not reach the control.
  std::function<void(QObject* sender, char& key)> OnKeyPress;

  // Delivers one code-page byte to OnKeyPress through the handler guard;
  // returns the key as the handler left it (0 when the handler failed).
  char DeliverKey(char key);

  // The key-preview bytes of a key press: empty when the key types nothing
  // (arrows, function keys, Alt combinations, Tab).
  static std::string KeyEventBytes(const QKeyEvent& event);

  // Shows the window; at its first showing it is centred on the primary
  // screen, frame included. Later showings keep the position.
  void ShowCentered();

 signals:
  // The window was closed by the user or by close().
  void Closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool FilterKeyPress(QObject* receiver, QKeyEvent* event);
  bool FilterInputMethod(QObject* receiver, QInputMethodEvent* event);
  // Lets `receiver` answer, then switches the input method on for it.
  bool AnswerInputMethodQuery(QObject* receiver, QInputMethodQueryEvent* event);
  bool MoveFocusAmongSiblings(QWidget* focused, bool forward);
  // Runs OnKeyPress once per byte; returns the bytes the handler left.
  template <typename Event, typename MakeChanged>
  bool PreviewAndPassOn(QObject* receiver, Event* event, const std::string& bytes, MakeChanged changed);
  std::string DeliverBytes(const std::string& bytes);
  // Hands an event on to its receiver, marked so the filter lets it pass.
  void PassOn(QObject* receiver, QEvent* event);
  bool IsInsideWindow(QObject* object) const;
  // Whether OnKeyPress sees the characters sent to `receiver` (a widget
  // inside the window).
  bool IsPreviewed(QObject* receiver) const;
  void AlignControls();
  int MenuBarHeight(int width) const;
  void CentreOnScreen();

  std::string caption_;
  QWidget* clientArea_;
  bool keyPreview_ = false;
  bool centred_ = false;
  int clientWidth_ = -1;
  int clientHeight_ = -1;
  std::vector<QPointer<QWidget>> topAligned_;
  std::vector<QPointer<QWidget>> tabOrder_;
  // The event the filter is handing on itself; it must not be filtered twice.
  QEvent* passingOn_ = nullptr;
};

}  // namespace zembrot
