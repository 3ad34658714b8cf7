#pragma once

// TSpeedButton: the Start/End button. It never takes the keyboard focus, so
// typing always stays with the main window; a click runs OnClick only when
// the left button is released inside it.

#include <functional>
#include <string>

#include <QWidget>

namespace zembrot {

class TSpeedButton : public QWidget {
  Q_OBJECT

 public:
  explicit TSpeedButton(QWidget* parent = nullptr);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  std::function<void(QObject* sender)> OnClick;

 private:
  std::string caption_;
};

}  // namespace zembrot
