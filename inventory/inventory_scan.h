#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "inventory/inventory_value.h"
#include "inventory/management/management_service.h"
#include "inventory/management/schema.h"
#include "inventory/selector_request.h"
#include "inventory/system_inventory.h"

namespace kestrel {

class ManagementObject;

// The whole scan behind the main window's getKestrel: queries the management service and
// fills a record with the facts, the texts they show as, the report and the selector address.
// It knows no window: whoever shows the record reads it once the scan has returned.
class InventoryScan {
  public:
    InventoryScan(ManagementService& service, ValueFormat format, SelectorSite site);

    // The record of a scan that ran to its end; every failure throws Error.
    SystemInventory run();

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
    void writeMemoryTexts();
    void finish();

    // A size, speed, count or code as read, and the whole number it holds (none for Null or
    // Empty).
    struct Number {
        InventoryValue value;
        std::optional<std::uint64_t> whole;
    };
    // The error names the class, property and value when it is not a whole number within the
    // type the instrumentation declares for it.
    Number number(const ManagementObject& object, std::string_view className,
                  std::string_view property) const;
    // A module's maker from its manufacturer text, else from its JEP106 code.
    std::optional<std::string> makerOf(const InventoryValue& manufacturer,
                                       const std::optional<InventoryValue>& id) const;
    // A row shows a value's text with control characters blanked, as a caption does.
    std::string rowText(const InventoryValue& value) const;

    ManagementService& service_;
    SystemInventory inv_;
    ValueFormat format_;
    SelectorSite site_;
    double unit_ = 1024;
};

}  // namespace kestrel
