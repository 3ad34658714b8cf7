#pragma once

// Helpers shared by the frame tests: waiting in a real event loop, recording
// the error report, and reaching the modal window a handler opened.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include "base/errors.h"
#include "frame/application.h"

namespace zembrot::testing_support {

// Runs the event loop for `milliseconds`, as the main loop would.
inline void RunEventsFor(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs the event loop until `done` holds or `limitMilliseconds` pass.
inline bool RunEventsUntil(const std::function<bool()>& done, int limitMilliseconds = 2000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMilliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// Records what reaches the error report instead of opening message boxes.
class RecordedErrors {
 public:
  RecordedErrors() {
    SetErrorReporter([this](const std::exception& error) { messages.emplace_back(error.what()); });
  }
  ~RecordedErrors() { SetErrorReporter(nullptr); }
  RecordedErrors(const RecordedErrors&) = delete;
  RecordedErrors& operator=(const RecordedErrors&) = delete;

  std::vector<std::string> messages;
};

// Calls `action` with the modal window once one is open (from inside the
// nested loop that shows it). Watches only while it lives.
class ModalWatcher {
 public:
  explicit ModalWatcher(std::function<void(QWidget* modal)> action) : action_(std::move(action)) {
    poller_.setInterval(5);
    QObject::connect(&poller_, &QTimer::timeout, &poller_, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || !modal->isVisible()) return;
      poller_.stop();
      action_(modal);
    });
    poller_.start();
  }
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

 private:
  std::function<void(QWidget* modal)> action_;
  QTimer poller_;
};

}  // namespace zembrot::testing_support
