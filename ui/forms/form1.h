#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "inventory/inventory_value.h"
#include "inventory/management/management_service.h"
#include "inventory/scan_target.h"
#include "inventory/system_inventory.h"
#include "ui/forms/desktop.h"
#include "ui/forms/window.h"
#include "ui/forms/window_runtime.h"

namespace kestrel::forms {

// The main window: the inventory in labels and lists, the copy button and the selector page.
// It owns what the scan produces and is the scan's target.
class Form1 : public ScanTarget {
  public:
    // Opens the management service that a scan reads; called once per scan.
    using ServiceFactory = std::function<std::unique_ptr<ManagementService>()>;

    Form1(Window& window, Desktop& desktop, ServiceFactory openService);

    // Runs the whole inventory scan into this window and points the browser at the selector
    // page. Returns "Success"; every failure throws.
    InventoryValue getKestrel();

    const SystemInventory& inventory() const { return inventory_; }
    Window& window() const { return window_; }

    // ScanTarget: each loads the window first.
    void ensureLoaded() override { window_.load(); }
    void setCaption(std::string_view label, const std::string& text) override;
    void clearList(std::string_view list) override;
    void addRow(std::string_view list, const std::string& text) override;
    void navigate(const std::string& url) override;

  private:
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
