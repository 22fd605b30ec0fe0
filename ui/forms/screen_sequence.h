#pragma once

#include <functional>

#include "inventory/inventory_value.h"
#include "mainwindow/form1.h"
#include "platform/gui/window_runtime.h"
#include "platform/gui/window_slot.h"
#include "screens/dialog.h"
#include "screens/frm_splash.h"

namespace kestrel {

// The three window slots and the hand-over between the windows: disclaimer, then the scan
// screen, then the main window.
class ScreenSequence {
  public:
    // What the scan screen's timer runs on the main window.
    using Scan = std::function<InventoryValue(Form1&)>;

    ScreenSequence(gui::WindowRuntime& runtime, Form1::ServiceFactory openService,
                   Scan scan = std::mem_fn(&Form1::getKestrel));

    // Loads and shows the disclaimer, the start-up window.
    void start();

  private:
    gui::WindowSlot<Form1> main_;
    gui::WindowSlot<FrmSplash> splash_;
    gui::WindowSlot<Dialog> dialog_;
};

}  // namespace kestrel
