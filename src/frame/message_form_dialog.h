#pragma once

// TMessageForm: the notice dialog behind ShowNotice. Built afresh for each
// notice: a word-wrapping label "Message" above one button "OK", sized from
// the message-box font, captioned with the application title.

#include <string>

#include <QDialog>
#include <QFont>

#include "base/mul_div.h"

class QPushButton;

namespace zembrot {

// The layout of a notice, all in pixels of the dialog's client area.
struct NoticeMetrics {
  int averageCharWidth = 0;  // X: width of "A".."Z" "a".."z" div 52
  int charHeight = 0;        // Y: height of that text
  int horizontalMargin = 0;
  int verticalMargin = 0;
  int verticalSpacing = 0;
  int buttonWidth = 0;
  int buttonHeight = 0;
};
NoticeMetrics MeasureNotice(const QFont& font);

class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  // `caption` and `text` are code-page bytes; `maxTextWidth` is the widest
  // the text may be laid out (half the screen width for a real notice).
  TMessageForm(const std::string& caption, const std::string& text, int maxTextWidth, QWidget* parent = nullptr);
  ~TMessageForm() override;

  // The text as laid out: line breaks normalised, to be drawn with TextFlags().
  const QString& DisplayText() const { return displayText_; }
  static int TextFlags();
  const NoticeMetrics& Metrics() const { return metrics_; }
  QWidget* MessageLabel() const { return label_; }
  QPushButton* OkButton() const { return button_; }
  // What Ctrl+C puts on the clipboard.
  std::string ClipboardText() const;

  // Centres the dialog on the primary screen.
  void CentreOnScreen();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  std::string caption_;
  std::string text_;
  QString displayText_;
  NoticeMetrics metrics_;
  QWidget* label_;
  QPushButton* button_;
};

}  // namespace zembrot
