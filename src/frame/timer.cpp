#include "frame/timer.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "base/errors.h"
#include "frame/application.h"

namespace zembrot {

TTimer::TTimer(QObject* owner) : QObject(owner) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setSingleShot(true);
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

namespace {

std::chrono::milliseconds Period(unsigned interval) {
  return std::chrono::milliseconds(interval > static_cast<unsigned>(INT_MAX) ? INT_MAX : interval);
}

}  // namespace

void TTimer::UpdateTimer() {
  timer_.stop();
  if (interval_ == 0 || !enabled_ || !onTimer_) return;
  const auto now = std::chrono::steady_clock::now();
  due_ = now;
  Arm(now);
  if (!timer_.isActive()) throw Exception("Not enough timers available");
}

void TTimer::Arm(std::chrono::steady_clock::time_point now) {
  // The period keeps its rhythm from one due time to the next; a timer that
  // came due several times while the thread was busy ticks once and starts
  // a fresh period from now.
  const auto period = Period(interval_);
  due_ += period;
  if (due_ <= now) due_ = now + period;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due_ - now);
  timer_.start(static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait.count(), INT_MAX)));
}

void TTimer::Tick() {
  // A copy: the handler may replace OnTimer (or stop this timer) while it runs.
  const auto handler = onTimer_;
  if (!handler) return;
  // Armed before the handler runs, so that the next tick can come nested
  // inside it; a change the handler makes re-arms from there.
  Arm(std::chrono::steady_clock::now());
  RunGuarded(this, [&] { handler(this); });
}

}  // namespace zembrot
