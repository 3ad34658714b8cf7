#include "frame/message_form.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "base/code_page.h"
#include "base/shown_text.h"
#include "frame/application.h"
#include "frame/screen.h"
#include "frame/message_form_dialog.h"
#include "frame/services.h"
#include "widgets/caption_text.h"

namespace zembrot {

namespace {

const char* const kButtonCaption = "OK";
// The title a notice gets when the program has no application object.
const char* const kFallbackCaption = "Zembrot";

// A carriage return, a line feed or the pair each end one line.
QString NormaliseLineBreaks(const QString& text) {
  QString result = text;
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

// The "Message" label: draws the text exactly as it was measured; an "&" in
// it is shown as it stands (see TextFlags).
class NoticeLabel final : public QWidget {
 public:
  NoticeLabel(QString text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // Same flags and default tab stops as the measuring in TMessageForm.
    painter.drawText(rect(), TMessageForm::TextFlags(), text_);
  }

 private:
  QString text_;
};

// More than any screen shows of a notice laid out at most half the screen
// wide, and short enough to lay out at once.
constexpr std::size_t kLongestShownNoticeText = 8192;

// Room left on the screen for the window's frame and title bar.
constexpr int kFrameAllowanceLines = 4;

// The tallest the text block may be for the whole notice, frame and title
// bar included, to fit the primary screen: whole lines only.
int LongestTextHeight(const NoticeMetrics& metrics, int lineSpacing) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || lineSpacing <= 0) return std::numeric_limits<int>::max();
  const int screenHeight = screen->availableGeometry().height();
  const int room = screenHeight - kFrameAllowanceLines * metrics.charHeight - metrics.buttonHeight -
                   metrics.verticalSpacing - 2 * metrics.verticalMargin;
  return std::max(room / lineSpacing, 1) * lineSpacing;
}

}  // namespace

NoticeMetrics MeasureNotice(const QFont& font) {
  const QFontMetrics fontMetrics(font);
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  NoticeMetrics metrics;
  metrics.averageCharWidth = fontMetrics.horizontalAdvance(alphabet) / 52;
  metrics.charHeight = fontMetrics.height();
  const int x = metrics.averageCharWidth;
  const int y = metrics.charHeight;
  metrics.horizontalMargin = MulDiv(8, x, 4);
  metrics.verticalMargin = MulDiv(8, y, 8);
  metrics.verticalSpacing = MulDiv(10, y, 8);
  metrics.buttonWidth = std::max(MulDiv(50, x, 4), fontMetrics.horizontalAdvance(QString::fromLatin1(kButtonCaption)) + 8);
  metrics.buttonHeight = MulDiv(14, y, 8);
  return metrics;
}

// A notice shows game texts (practice lines among them), so every "&" in it
// is text, never an accelerator mark.
int TMessageForm::TextFlags() { return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs; }

TMessageForm::TMessageForm(const std::string& caption, const std::string& text, int maxTextWidth,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      caption_(caption),
      text_(text),
      displayText_(NormaliseLineBreaks(QString::fromStdU16String(ShownText(text, kLongestShownNoticeText)))) {
  setObjectName(QStringLiteral("TMessageForm"));
  setFont(QApplication::font("QMessageBox"));
  setWindowTitle(CodePageToQString(caption));
  metrics_ = MeasureNotice(font());

  const QFontMetrics fontMetrics(font());
  const QRect textRect = fontMetrics.boundingRect(QRect(0, 0, std::max(maxTextWidth, 1), 0), TextFlags(),
                                                  displayText_);
  // A word longer than the box is wide, or more lines than the screen is
  // tall, are cut off at the box's edge: the notice always fits on the
  // screen, and Ctrl+C still copies the whole text.
  const int textWidth = displayText_.isEmpty() ? 0 : std::min(textRect.width(), std::max(maxTextWidth, 1));
  const int textHeight =
      displayText_.isEmpty() ? 0 : std::min(textRect.height(), LongestTextHeight(metrics_, fontMetrics.lineSpacing()));

  const int clientWidth = std::max(textWidth, metrics_.buttonWidth) + 2 * metrics_.horizontalMargin;
  const int clientHeight =
      textHeight + metrics_.buttonHeight + metrics_.verticalSpacing + 2 * metrics_.verticalMargin;

  label_ = new NoticeLabel(displayText_, this);
  label_->setObjectName(QStringLiteral("Message"));
  label_->setGeometry(metrics_.horizontalMargin, metrics_.verticalMargin, textWidth, textHeight);

  button_ = new QPushButton(QString::fromLatin1(kButtonCaption), this);
  button_->setObjectName(QStringLiteral("OK"));
  button_->setGeometry((clientWidth - metrics_.buttonWidth) / 2,
                       textHeight + metrics_.verticalMargin + metrics_.verticalSpacing, metrics_.buttonWidth,
                       metrics_.buttonHeight);
  // Enter (default) and Esc (the dialog's cancel) both end the notice, as do
  // Space on the button, a click and the close box.
  button_->setDefault(true);
  connect(button_, &QPushButton::clicked, this, &QDialog::accept);

  setFixedSize(clientWidth, clientHeight);
}

TMessageForm::~TMessageForm() = default;

std::string TMessageForm::ClipboardText() const { return NoticeClipboardText(caption_, text_); }

void TMessageForm::CentreOnScreen() {
  CentreOnPrimaryScreen(*this);
}

void TMessageForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The frame is known only now; centre it as a whole.
  CentreOnScreen();
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_C && event->modifiers() == Qt::ControlModifier) {
    QApplication::beep();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(CodePageToQString(ClipboardText()));
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ShowNotice(const std::string& text) { CurrentServices().ShowNotice(text); }

void ShowNoticeDialog(const std::string& text) {
  const TApplication* application = TApplication::Instance();
  const std::string caption = application != nullptr ? application->Title() : std::string(kFallbackCaption);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int maxTextWidth = screen != nullptr ? screen->geometry().width() / 2 : 640;
  TMessageForm dialog(caption, text, maxTextWidth, QApplication::activeWindow());
  dialog.CentreOnScreen();
  // A nested loop: timers keep ticking while the notice is open.
  dialog.exec();
}

std::string NoticeClipboardText(const std::string& caption, const std::string& text) {
  const std::string divider = std::string(27, '-') + "\r\n";
  std::string buttons;
  for (const char byte : std::string(kButtonCaption)) {
    if (byte != '&') buttons += byte;
  }
  buttons += "   ";
  return divider + caption + "\r\n" + divider + text + "\r\n" + divider + buttons + "\r\n" + divider;
}

}  // namespace zembrot
