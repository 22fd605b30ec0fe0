#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/forms/screen_sequence.h"
#include "ui/win32/win32_window.h"

namespace kestrel::win32 {

// One window slot: the form and its window, created on first reference; once the window is
// unloaded the slot is empty again and the next reference makes a fresh pair. An unloaded pair
// is kept until the screens go, as its handler may still be running.
template <class Form>
class FormSlot {
  public:
    using Make = std::function<std::shared_ptr<Form>(forms::Window&)>;

    FormSlot(std::string_view layout, forms::WindowRuntime& runtime, Make make,
             std::vector<std::shared_ptr<void>>& retired)
        : layout_(layout), runtime_(runtime), make_(std::move(make)), retired_(retired) {}

    Form& get() {
        if (!form_) {
            window_ = std::make_shared<Win32Window>(layout_, runtime_, [this] { retire(); });
            form_ = make_(*window_);
        }
        return *form_;
    }

  private:
    // The window is retired first, so it goes before its form: nothing it does while it is
    // destroyed can reach a form that is gone.
    void retire() {
        retired_.push_back(std::move(window_));
        retired_.push_back(std::move(form_));
    }

    std::string layout_;
    forms::WindowRuntime& runtime_;
    Make make_;
    std::vector<std::shared_ptr<void>>& retired_;
    // In this order, so that the window is destroyed before its form.
    std::shared_ptr<Form> form_;
    std::shared_ptr<Win32Window> window_;
};

// The three window slots on Win32 and the screen sequence that runs over them.
class Win32Screens final : public forms::FormSlots {
  public:
    Win32Screens(forms::WindowRuntime& runtime, forms::Desktop& desktop,
                 forms::Form1::ServiceFactory openService);

    // Loads and shows the disclaimer, the start-up window.
    void start() { sequence_.start(); }

    forms::Dialog& dialog() override { return dialog_.get(); }
    forms::FrmSplash& splash() override { return splash_.get(); }
    forms::Form1& main() override { return main_.get(); }

  private:
    std::vector<std::shared_ptr<void>> retired_;
    forms::ScreenSequence sequence_;
    FormSlot<forms::Form1> main_;
    FormSlot<forms::FrmSplash> splash_;
    FormSlot<forms::Dialog> dialog_;
};

}  // namespace kestrel::win32
