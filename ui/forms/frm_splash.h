#pragma once

#include <functional>
#include <string_view>

#include "inventory/inventory_value.h"
#include "ui/forms/window.h"

namespace kestrel::forms {

// The "Scanning Please Wait......" screen. Its timer runs the scan; on "Success" the screen
// unloads itself and the main window is shown. A key that types a character removes it.
class FrmSplash {
  public:
    // The timer's interval in milliseconds.
    static constexpr int kTickInterval = 10;
    // The timer is no control of the layout: the form names it.
    static constexpr std::string_view kTimer = "Timer1";

    using Scan = std::function<InventoryValue()>;

    FrmSplash(Window& window, Scan scan, Handler showMainWindow);

    Window& window() const { return window_; }

  private:
    void Timer1_Timer();
    void Form_KeyPress();

    Window& window_;
    Scan scan_;
    Handler showMainWindow_;
    bool scanning_ = false;
};

}  // namespace kestrel::forms
