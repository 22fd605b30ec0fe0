#include "ui/forms/window_timer.h"

namespace kestrel::forms {

WindowTimer::WindowTimer(WindowRuntime& runtime, const MakeClock& makeClock)
    : runtime_(runtime), clock_(makeClock([this] { tick(); })) {}

void WindowTimer::setInterval(int milliseconds) {
    const bool changed = milliseconds != interval_;
    interval_ = milliseconds;
    update(changed);
}

void WindowTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    update(false);
}

void WindowTimer::follow(bool windowRunning) {
    windowRunning_ = windowRunning;
    update(false);
}

void WindowTimer::tick() {
    // A nested event loop (a message box inside a tick handler) still delivers ticks: none may
    // start the handlers again inside themselves, for example a second scan inside the first.
    // It is not kept: the clock's next one comes once the handlers have returned.
    if (!running_ || ticking_) return;
    ticking_ = true;
    for (const Handler& handler : handlers_) runtime_.handle(handler);
    ticking_ = false;
}

void WindowTimer::update(bool restart) {
    const bool run = enabled_ && windowRunning_ && interval_ > 0;
    if (run && (!running_ || restart)) clock_->start(interval_);
    if (!run && running_) clock_->stop();
    running_ = run;
}

}  // namespace kestrel::forms
