#include "ui/forms/lifecycle_window.h"

#include "ui/forms/control_adapter.h"

namespace kestrel::forms {

Timer& LifecycleWindow::timer(std::string_view name) {
    return controlAdapter<WindowTimer>(timers_, name, [&] {
        auto timer = std::make_unique<WindowTimer>(
            runtime_, [&](Handler tick) { return makeClock(name, std::move(tick)); });
        // A timer made once the window runs runs as soon as it is enabled.
        timer->follow(windowRunning());
        return timer;
    });
}

void LifecycleWindow::load() {
    // Once per window: an unloaded one is gone for good, a later reference makes a fresh one.
    if (state_ != State::created) return;
    // Marked first, so that the load handler can touch the window's controls.
    state_ = State::loaded;
    runtime_.windowLoaded(this);
    raiseLoad();
    followTimers();
}

void LifecycleWindow::unload() {
    if (state_ != State::loaded) return;
    state_ = State::unloaded;
    followTimers();
    dismiss();
    runtime_.windowUnloaded(this);
}

void LifecycleWindow::drawn() {
    if (drawn_) return;
    drawn_ = true;
    followTimers();
}

void LifecycleWindow::closeRequested() {
    runtime_.handle([this] { unload(); });
}

bool LifecycleWindow::characterTyped() {
    if (characterKeyHandlers().empty()) return false;
    for (const Handler& handler : characterKeyHandlers()) runtime_.handle(handler);
    return true;
}

void LifecycleWindow::followTimers() {
    for (auto& [name, timer] : timers_) timer->follow(windowRunning());
}

}  // namespace kestrel::forms
