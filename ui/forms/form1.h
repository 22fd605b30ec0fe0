#pragma once

#include <functional>
#include <memory>

#include "inventory/inventory_value.h"
#include "inventory/management/management_service.h"
#include "inventory/system_inventory.h"
#include "ui/forms/desktop.h"
#include "ui/forms/window.h"
#include "ui/forms/window_runtime.h"

namespace kestrel::forms {

// The main window: the inventory in labels and lists, the copy button and the selector page.
// It keeps the record of its last scan and shows it once the scan has returned.
class Form1 {
  public:
    // Opens the management service that a scan reads; called once per scan.
    using ServiceFactory = std::function<std::unique_ptr<ManagementService>()>;

    Form1(Window& window, Desktop& desktop, ServiceFactory openService);

    // Runs the whole inventory scan, loads this window (without showing it), shows the record
    // in it and points the browser at the selector page. Returns "Success"; every failure
    // throws, leaving the window as it was.
    InventoryValue getKestrel();

    const SystemInventory& inventory() const { return inventory_; }
    Window& window() const { return window_; }

  private:
    void showInventory();
    void Form_Load();
    void clipboardCmd_Click();
    void chat_Click();
    void Command1_Click();
    void memoryLst_Click();
    void slotsLst_Click();
    void speedLst_Click();

    Window& window_;
    Desktop& desktop_;
    ServiceFactory openService_;
    SystemInventory inventory_;
};

}  // namespace kestrel::forms
