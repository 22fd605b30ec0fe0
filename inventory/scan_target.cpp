#include "inventory/scan_target.h"

#include "inventory/controls.h"
#include "inventory/system_inventory.h"

namespace kestrel {

void resetOnLoad(ScanTarget& target, SystemInventory& inventory) {
    for (const auto label : controls::kValueLabels) target.setCaption(label, "");
    inventory.moduleCount = 0;
}

}  // namespace kestrel
