#pragma once

// TTimer: a timer whose countdown restarts after every change of Enabled,
// Interval or OnTimer. Assigning a value a property already has is no change.
// Interval 0 gives no ticks although Enabled stays true. Overdue ticks are
// not queued: a timer that came due several times while the thread was busy
// delivers one tick. An error escaping OnTimer goes to the error report and
// the timer keeps running.
//
// A tick that comes due while OnTimer is still running is delivered nested,
// by whatever loop runs inside the handler (a pump, a notice, the error box,
// the open dialog), as the game expects of every timer.

#include <chrono>
#include <functional>

#include <QObject>
#include <QTimer>

namespace zembrot {

class TTimer : public QObject {
  Q_OBJECT

 public:
  explicit TTimer(QObject* owner = nullptr);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  void SetOnTimer(std::function<void(QObject* sender)> handler);
  bool HasOnTimer() const { return static_cast<bool>(onTimer_); }

  // True while the platform timer counts (enabled, interval above 0, handler set).
  bool Counting() const { return timer_.isActive(); }
  // Milliseconds until the next tick; -1 when not counting.
  int RemainingTime() const { return timer_.remainingTime(); }

 private:
  void UpdateTimer();
  void Tick();
  // Arms the platform timer for the next due time.
  void Arm(std::chrono::steady_clock::time_point now);

  bool enabled_ = true;
  unsigned interval_ = 1000;
  std::function<void(QObject* sender)> onTimer_;
  // Single-shot, re-armed at every tick before the handler runs. Qt never
  // delivers a timer again while its own timeout is being handled; a fresh
  // start is a new registration, which a nested loop does deliver.
  QTimer timer_;
  std::chrono::steady_clock::time_point due_;
};

}  // namespace zembrot
