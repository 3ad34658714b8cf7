#include "frame/form.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenuBar>

#include "base/code_page.h"
#include "frame/application.h"
#include "frame/screen.h"
#include "frame/menu.h"
#include "widgets/caption_text.h"

namespace zembrot {

namespace {

// Qt numbers the keys that type nothing (arrows, function keys, Insert,
// Delete, Home, End, modifiers) from here on.
constexpr int kFirstSpecialKey = 0x01000000;

}  // namespace

TForm::TForm(QWidget* parent) : QMainWindow(parent), clientArea_(new QWidget(this)) {
  clientArea_->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(clientArea_);
  // The window itself holds the keyboard focus when no control has it, and
  // takes composed input from an input method.
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  clientArea_->installEventFilter(this);
  // Key preview sees a key before the focused control does, so it watches
  // at the application.
  if (QCoreApplication* application = QCoreApplication::instance()) application->installEventFilter(this);
}

TForm::~TForm() {
  if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  setWindowTitle(CodePageToQString(caption));
}

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  resize(width, height + MenuBarHeight(width));
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == nullptr) return;
  setMenuBar(TMainMenu::CreateMenuBar());
  menu->AttachTo(menuBar());
  if (clientWidth_ >= 0) SetClientSize(clientWidth_, clientHeight_);
}

void TForm::SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }

void TForm::SetAlignTop(QWidget* control) {
  if (control == nullptr) return;
  for (const QPointer<QWidget>& aligned : topAligned_) {
    if (aligned == control) return;
  }
  topAligned_.emplace_back(control);
  AlignControls();
}

char TForm::DeliverKey(char key) {
  bool completed = false;
  RunGuarded([&] {
    // A copy: the handler may replace OnKeyPress while it runs.
    const auto handler = OnKeyPress;
    if (handler) handler(this, key);
    completed = true;
  });
  // A handler that failed has abandoned the character.
  return completed ? key : '\0';
}

std::string TForm::KeyEventBytes(const QKeyEvent& event) {
  // Alt combinations belong to the menu.
  if (event.modifiers().testFlag(Qt::AltModifier)) return {};
  const int key = event.key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return "\r";
    case Qt::Key_Escape:
      return "\x1b";
    case Qt::Key_Backspace:
      return "\b";
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return {};
    default:
      break;
  }
  if (key >= kFirstSpecialKey && key != Qt::Key_unknown) return {};
  // Ctrl with a letter gives its control code even where the platform
  // reports no text for it.
  if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    return std::string(1, static_cast<char>(key - Qt::Key_A + 1));
  }
  const QString text = event.text();
  if (text.isEmpty()) return {};
  return Utf16ToCodePage(text.toStdU16String());
}

void TForm::ShowCentered() {
  if (centred_) {
    show();
    return;
  }
  CentreOnScreen();
  const QSize frameBefore = frameGeometry().size();
  show();
  // The frame may only be known once the window is on screen.
  if (frameGeometry().size() != frameBefore) CentreOnScreen();
  centred_ = true;
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
  if (event == passingOn_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      if (IsInsideWindow(watched)) return FilterKeyPress(watched, static_cast<QKeyEvent*>(event));
      break;
    case QEvent::InputMethod:
      if (IsInsideWindow(watched)) return FilterInputMethod(watched, static_cast<QInputMethodEvent*>(event));
      break;
    case QEvent::InputMethodQuery:
      if (IsInsideWindow(watched) && watched != this && IsPreviewed(watched)) {
        return AnswerInputMethodQuery(watched, static_cast<QInputMethodQueryEvent*>(event));
      }
      break;
    case QEvent::Resize:
      if (watched == clientArea_) AlignControls();
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

void TForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // No control of the window is a tab stop: the window keeps the focus.
  if (focusWidget() == nullptr || focusWidget() == this) setFocus(Qt::OtherFocusReason);
}

void TForm::SetTabOrder(std::vector<QWidget*> controls) {
  tabOrder_.assign(controls.begin(), controls.end());
}

bool TForm::MoveFocusAmongSiblings(QWidget* focused, bool forward) {
  const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
  const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), focused) - tabOrder_.begin();
  if (at == count) return false;
  for (std::ptrdiff_t step = 1; step < count; ++step) {
    QWidget* candidate = tabOrder_[static_cast<std::size_t>((at + (forward ? step : count - step)) % count)];
    if (candidate == nullptr || candidate->parentWidget() != focused->parentWidget()) continue;
    if (!candidate->isVisible() || !candidate->isEnabled()) continue;
    candidate->setFocus(Qt::OtherFocusReason);
    return true;
  }
  return false;
}

bool TForm::FilterKeyPress(QObject* receiver, QKeyEvent* event) {
  const bool alt = event->modifiers().testFlag(Qt::AltModifier);
  const int key = event->key();
  if (!alt && (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)) {
    // Only a control holding the focus passes it on; the window itself
    // keeps it. Arrows type nothing either way.
    if (QWidget* focused = focusWidget(); focused != nullptr && focused != this && focused->hasFocus()) {
      if (MoveFocusAmongSiblings(focused, key == Qt::Key_Right || key == Qt::Key_Down)) {
        event->accept();
        return true;
      }
    }
  }
  if (!alt && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
    // There is no tab stop to move to: Tab and Shift+Tab are consumed.
    event->accept();
    return true;
  }
  // A key that types nothing takes Qt's ordinary way, menu keys included.
  const std::string bytes = KeyEventBytes(*event);
  if (bytes.empty()) return false;
  // The character is handed on here rather than returned to Qt, so that it
  // does not come back through this filter while it travels to the parents.
  return PreviewAndPassOn(receiver, event, bytes, [&](const std::string& left, std::optional<QKeyEvent>& changed) {
    if (left.empty()) return;  // swallowed
    changed.emplace(event->type(), event->key(), event->modifiers(), CodePageToQString(left), event->isAutoRepeat(),
                    static_cast<quint16>(event->count()));
  });
}

bool TForm::FilterInputMethod(QObject* receiver, QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) return false;
  const std::string bytes = Utf16ToCodePage(event->commitString().toStdU16String());
  return PreviewAndPassOn(receiver, event, bytes,
                          [&](const std::string& left, std::optional<QInputMethodEvent>& changed) {
                            // The composition itself goes on; only the committed text changes.
                            changed.emplace(event->preeditString(), event->attributes());
                            changed->setCommitString(CodePageToQString(left), event->replacementStart(),
                                                     event->replacementLength());
                          });
}

bool TForm::AnswerInputMethodQuery(QObject* receiver, QInputMethodQueryEvent* event) {
  PassOn(receiver, event);
  // The input method talks only to a focused control that takes composed
  // text; with key preview every control does, for the window's sake: a
  // check box or the play field holding the focus would otherwise cut the
  // player off from the input method altogether.
  if (event->queries().testFlag(Qt::ImEnabled) && static_cast<QWidget*>(receiver)->isEnabled()) {
    event->setValue(Qt::ImEnabled, true);
  }
  return true;
}

// Offers the typed bytes to OnKeyPress, then hands the event on to its
// receiver: unchanged when the handler left every byte, as `changed` makes it
// otherwise (nothing when `changed` gives none).
template <typename Event, typename MakeChanged>
bool TForm::PreviewAndPassOn(QObject* receiver, Event* event, const std::string& bytes, MakeChanged changed) {
  const QPointer<QObject> receiverAlive(receiver);
  const std::string left = IsPreviewed(receiver) ? DeliverBytes(bytes) : bytes;
  if (receiverAlive) {
    if (left == bytes) {
      PassOn(receiver, event);
    } else {
      std::optional<Event> replacement;
      changed(left, replacement);
      if (replacement) PassOn(receiver, &*replacement);
    }
  }
  event->accept();
  return true;
}

std::string TForm::DeliverBytes(const std::string& bytes) {
  std::string left;
  for (const char byte : bytes) {
    const char key = DeliverKey(byte);
    if (key != '\0') left += key;
  }
  return left;
}

void TForm::PassOn(QObject* receiver, QEvent* event) {
  const QPointer<TForm> self(this);
  QEvent* const previous = passingOn_;
  passingOn_ = event;
  QCoreApplication::sendEvent(receiver, event);
  if (self) passingOn_ = previous;
}

bool TForm::IsPreviewed(QObject* receiver) const {
  // Keys that steer the menu bar are the menu's own.
  const QWidget* bar = menuWidget();
  const auto* widget = static_cast<const QWidget*>(receiver);
  if (bar != nullptr && (widget == bar || bar->isAncestorOf(widget))) return false;
  return keyPreview_ || receiver == this;
}

bool TForm::IsInsideWindow(QObject* object) const {
  if (object == nullptr || !object->isWidgetType()) return false;
  const auto* widget = static_cast<const QWidget*>(object);
  // isAncestorOf stops at window borders: dialogs of this window are not in it.
  return widget == this || isAncestorOf(widget);
}

void TForm::AlignControls() {
  int top = 0;
  for (const QPointer<QWidget>& control : topAligned_) {
    if (!control) continue;
    control->setGeometry(0, top, clientArea_->width(), control->height());
    top += control->height();
  }
}

int TForm::MenuBarHeight(int width) const {
  const QWidget* bar = menuWidget();
  if (bar == nullptr) return 0;
  const int height = bar->heightForWidth(width);
  return height > 0 ? height : bar->sizeHint().height();
}

void TForm::CentreOnScreen() {
  CentreOnPrimaryScreen(*this);
}

}  // namespace zembrot
