#include "ui/forms/window_runtime.h"

namespace kestrel::forms {

WindowRuntime::WindowRuntime(MessageBox& messages, EndProcess endProcess)
    : messages_(messages), endProcess_(std::move(endProcess)) {}

void WindowRuntime::windowLoaded(const Window* window) { loaded_.insert(window); }

void WindowRuntime::windowUnloaded(const Window* window) {
    if (loaded_.erase(window) != 0 && loaded_.empty()) end(0);
}

void WindowRuntime::end(int status) {
    if (ended_) return;
    ended_ = true;
    endProcess_(status);
}

void WindowRuntime::untrapped(const std::string& what) {
    // No other handler may run while the box is up: its event loop still delivers timer ticks
    // and clicks to the windows behind it.
    ended_ = true;
    messages_.show("Run-time error: " + what);
    endProcess_(kUntrappedErrorStatus);
}

}  // namespace kestrel::forms
