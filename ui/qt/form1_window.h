#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "inventory/inventory_value.h"
#include "inventory/scan_target.h"
#include "inventory/system_inventory.h"
#include "ui/qt/kestrel_window.h"
#include "platform/management/management_service.h"

class QLabel;
class QListWidget;

namespace Ui {
class Form1;
}

namespace kestrel {

// The main window: the inventory in labels and lists, the copy button and the selector page.
// It owns what the scan produces and is the scan's target.
class Form1 : public gui::KestrelWindow, public ScanTarget {
    Q_OBJECT

  public:
    // Opens the management service that a scan reads; called once per scan.
    using ServiceFactory = std::function<std::unique_ptr<ManagementService>()>;

    Form1(gui::WindowRuntime& runtime, ServiceFactory openService);
    ~Form1() override;

    // Runs the whole inventory scan into this window and points the browser at the selector
    // page. Returns "Success"; every failure throws.
    InventoryValue getKestrel();

    const SystemInventory& inventory() const { return inventory_; }

    // ScanTarget
    void ensureLoaded() override { KestrelWindow::ensureLoaded(); }
    void setCaption(std::string_view label, const std::string& text) override;
    std::string caption(std::string_view label) const override;
    void clearList(std::string_view list) override;
    void addRow(std::string_view list, const std::string& text) override;
    void navigate(const std::string& url) override;

  protected:
    void load() override;

  private:
    template <class Control>
    Control& control(std::string_view name) const;

    std::unique_ptr<Ui::Form1> ui_;
    ServiceFactory openService_;
    SystemInventory inventory_;
};

}  // namespace kestrel
