#pragma once

#include <functional>

#include "inventory/inventory_value.h"
#include "ui/forms/dialog.h"
#include "ui/forms/form1.h"
#include "ui/forms/frm_splash.h"

namespace kestrel::forms {

// The three window slots as a toolkit keeps them. Each returns the slot's form, creating its
// window (not loading it) when the slot is empty; once the window is unloaded the slot is empty
// again.
class FormSlots {
  public:
    virtual ~FormSlots() = default;
    virtual Dialog& dialog() = 0;
    virtual FrmSplash& splash() = 0;
    virtual Form1& main() = 0;
};

// The hand-over between the windows: disclaimer, then the scan screen, then the main window.
// The toolkit gives each form it creates the hand-over that form needs.
class ScreenSequence {
  public:
    // What the scan screen's timer runs on the main window.
    using Scan = std::function<InventoryValue(Form1&)>;

    explicit ScreenSequence(FormSlots& slots, Scan scan = std::mem_fn(&Form1::getKestrel));

    // Loads and shows the disclaimer, the start-up window.
    void start();

    // The disclaimer's OK: shows the scan screen.
    Handler showScanScreen();
    // The scan screen's tick: scans into the main window.
    FrmSplash::Scan scanMainWindow();
    // The scan screen's hand-over on "Success".
    Handler showMainWindow();

  private:
    FormSlots& slots_;
    Scan scan_;
};

}  // namespace kestrel::forms
