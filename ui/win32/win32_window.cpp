#include "ui/win32/win32_window.h"

#include "inventory/error.h"
#include "ui/forms/control_adapter.h"
#include "ui/win32/layout_table.h"
#include "ui/win32/web_browser.h"

namespace kestrel::win32 {

Win32Window::Win32Window(std::string_view layoutName, forms::WindowRuntime& runtime,
                         Unloaded unloaded)
    : LifecycleWindow(runtime), unloaded_(std::move(unloaded)) {
    window_ = std::make_unique<FormWindow>(layout::windowLayout(layoutName), events());
}

Win32Window::~Win32Window() {
    // The native window goes first, while the adapters its last messages may reach still exist.
    window_.reset();
}

FormEvents Win32Window::events() {
    FormEvents events;
    events.clicked = [this](std::string_view name) {
        if (const auto found = clickables_.find(name); found != clickables_.end()) {
            found->second->clicked();
        }
    };
    events.selectionChanged = [this](std::string_view name) {
        if (const auto found = listBoxes_.find(name); found != listBoxes_.end()) {
            found->second->selectionChangedByUser();
        }
    };
    events.character = [this](wchar_t) { return characterTyped(); };
    events.timer = [this](unsigned id) {
        if (id >= 1 && id <= timerTicks_.size()) timerTicks_[id - 1]();
    };
    events.closeRequested = [this] { closeRequested(); };
    return events;
}

forms::Label& Win32Window::label(layout::LabelName name) {
    return forms::controlAdapter<Win32Label>(labels_, name, [&] {
        return std::make_unique<Win32Label>(window_->controls().control(name));
    });
}

forms::TextBox& Win32Window::textBox(layout::TextBoxName name) {
    return forms::controlAdapter<Win32TextBox>(textBoxes_, name, [&] {
        return std::make_unique<Win32TextBox>(window_->controls().control(name));
    });
}

forms::ListBox& Win32Window::listBox(layout::ListBoxName name) {
    return forms::controlAdapter<Win32ListBox>(listBoxes_, name, [&] {
        return std::make_unique<Win32ListBox>(window_->controls().control(name), runtime());
    });
}

forms::Clickable& Win32Window::clickable(layout::ClickableName name) {
    return forms::controlAdapter<Win32Clickable>(clickables_, name, [&] {
        window_->controls().control(name);  // throws for a control the window lacks
        return std::make_unique<Win32Clickable>(runtime());
    });
}

forms::Browser& Win32Window::browser(layout::BrowserName name) {
    window_->controls().control(name);  // throws for a control the window lacks
    if (!window_->browser()) {
        throw Error("the window " + std::string(window_->controls().layout().name) +
                    " has no browser " + std::string(name));
    }
    if (!browser_) browser_ = std::make_unique<Win32Browser>(*window_->browser());
    return *browser_;
}

void Win32Window::show() {
    load();
    window_->show();
    if (!firstFocus_.empty()) SetFocus(window_->controls().control(firstFocus_));
    SetForegroundWindow(window_->handle());
    // A long handler blocks the GUI thread, so the window is drawn now, before its first tick.
    UpdateWindow(window_->handle());
    drawn();
}

std::unique_ptr<forms::TimerClock> Win32Window::makeClock(std::string_view, forms::Handler tick) {
    // Timers are no controls of the layout: each is made when the form first asks for it.
    timerTicks_.push_back(std::move(tick));
    return std::make_unique<Win32Clock>(*window_, static_cast<unsigned>(timerTicks_.size()));
}

void Win32Window::dismiss() {
    ShowWindow(window_->handle(), SW_HIDE);
    // Unload usually runs inside one of this window's own handlers: the native window goes once
    // that has returned, and the object with the slot that holds it.
    window_->destroyLater();
    if (unloaded_) unloaded_();
}

}  // namespace kestrel::win32
