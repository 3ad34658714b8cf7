#include "frame/timer.h"

#include <climits>
#include <utility>

#include "base/errors.h"
#include "frame/application.h"

namespace zembrot {

TTimer::TTimer(QObject* owner) : QObject(owner) {
  timer_.setTimerType(Qt::PreciseTimer);
  // Qt reschedules an overdue timer from the time it fires, so a timer that
  // came due several times while the thread was busy ticks once.
  connect(&timer_, &QTimer::timeout, this, &TTimer::Tick);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  UpdateTimer();
}

void TTimer::SetOnTimer(std::function<void(QObject* sender)> handler) {
  // Handlers cannot be compared, so every assignment counts as a change.
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  timer_.stop();
  if (interval_ == 0 || !enabled_ || !onTimer_) return;
  const int milliseconds = interval_ > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(interval_);
  timer_.start(milliseconds);
  if (!timer_.isActive()) throw Exception("Not enough timers available");
}

void TTimer::Tick() {
  // A copy: the handler may replace OnTimer (or stop this timer) while it runs.
  const auto handler = onTimer_;
  if (!handler) return;
  RunGuarded([&] { handler(this); });
}

}  // namespace zembrot
