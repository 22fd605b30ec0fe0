#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/forms/lifecycle_window.h"
#include "ui/forms/window_runtime.h"
#include "ui/win32/form_window.h"
#include "ui/win32/win32_controls.h"

namespace kestrel::win32 {

// A top-level window as the forms see it, over a FormWindow built from the layout called
// layoutName. Loaded once, when first shown or when code first needs it loaded; show is modeless
// and returns at once; unloading (by code or by the close box) hides it, stops its timers and
// destroys its native window once the running handler has returned. It counts as drawn once
// shown and painted; its timers are the native window's, numbered from 1.
class Win32Window final : public forms::LifecycleWindow {
  public:
    using Unloaded = std::function<void()>;

    // unloaded runs when the window has been unloaded, so that its slot can let it go.
    Win32Window(std::string_view layoutName, forms::WindowRuntime& runtime, Unloaded unloaded);
    ~Win32Window() override;

    forms::Label& label(layout::LabelName name) override;
    forms::TextBox& textBox(layout::TextBoxName name) override;
    forms::ListBox& listBox(layout::ListBoxName name) override;
    forms::Clickable& clickable(layout::ClickableName name) override;
    forms::Browser& browser(layout::BrowserName name) override;
    void show() override;
    void setFirstFocus(std::string_view control) override { firstFocus_ = control; }

    const FormWindow& native() const { return *window_; }

  private:
    FormEvents events();
    std::unique_ptr<forms::TimerClock> makeClock(std::string_view name,
                                                 forms::Handler tick) override;
    void dismiss() override;

    Unloaded unloaded_;
    std::unique_ptr<FormWindow> window_;
    std::string firstFocus_;
    // One adapter per control, made on first use.
    std::map<std::string, std::unique_ptr<Win32Label>, std::less<>> labels_;
    std::map<std::string, std::unique_ptr<Win32TextBox>, std::less<>> textBoxes_;
    std::map<std::string, std::unique_ptr<Win32ListBox>, std::less<>> listBoxes_;
    std::map<std::string, std::unique_ptr<Win32Clickable>, std::less<>> clickables_;
    // What each timer's clock calls, by the timer's number less 1.
    std::vector<forms::Handler> timerTicks_;
    std::unique_ptr<Win32Browser> browser_;
};

}  // namespace kestrel::win32
