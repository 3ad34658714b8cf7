#pragma once

// TTimer: a timer whose countdown restarts after every change of Enabled,
// Interval or OnTimer. Assigning a value a property already has is no change.
// Interval 0 gives no ticks although Enabled stays true. Overdue ticks are
// not queued: a timer that came due several times while the thread was busy
// delivers one tick. An error escaping OnTimer goes to the error report and
// the timer keeps running.

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

  bool enabled_ = true;
  unsigned interval_ = 1000;
  std::function<void(QObject* sender)> onTimer_;
  QTimer timer_;
};

}  // namespace zembrot
