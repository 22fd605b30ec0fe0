#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "inventory/inventory_value.h"
#include "inventory/management/management_service.h"
#include "inventory/management/schema.h"
#include "inventory/scan_target.h"
#include "inventory/selector_request.h"
#include "inventory/system_inventory.h"

namespace kestrel {

class ManagementObject;

// The whole scan behind the main window's getKestrel: queries the management service, fills
// the record, writes captions and list rows into the target, builds the report and the
// selector address, and navigates the target's browser to it.
class InventoryScan {
  public:
    InventoryScan(ManagementService& service, ScanTarget& target, SystemInventory& inventory,
                  ValueFormat format, SelectorSite site);

    // Returns "Success" when the scan ran to its end; every failure throws Error.
    InventoryValue run();

  private:
    // One "Select * from <Class>" query, the body run once per object in the service's order.
    template <class Body>
    void forEach(const schema::ManagementClass& managementClass, Body body);

    void readComputerSystem();
    void readMemoryArrays();
    void readModules();
    void readProcessor();
    void readBios();
    void readProduct();
    void readBaseboard();
    void replacePlaceholders();
    void setValueLabels();
    void finish();

    // A size, speed, count or code as read, the error naming the class, property and value
    // when it is not a whole number within the type the instrumentation declares for it.
    InventoryValue number(const ManagementObject& object, std::string_view className,
                          std::string_view property) const;
    // A module's maker from its manufacturer text, else from its JEP106 code.
    std::optional<std::string> makerOf(const std::optional<InventoryValue>& manufacturer,
                                       const std::optional<InventoryValue>& id) const;
    // A row shows a value's text with control characters blanked, as a caption does.
    void addRow(std::string_view list, const InventoryValue& value);

    ManagementService& service_;
    ScanTarget& target_;
    SystemInventory& inv_;
    ValueFormat format_;
    SelectorSite site_;
    double unit_ = 1024;
};

}  // namespace kestrel
