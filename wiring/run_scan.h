#pragma once

#include "inventory/inventory_value.h"
#include "inventory/management/management_service.h"
#include "inventory/scan_target.h"
#include "inventory/system_inventory.h"

namespace kestrel {

// The scan as Kestrel runs it, in the windows and on the command line alike: numbers written
// in the user's locale, the selector page of the build. Returns "Success"; every failure throws.
InventoryValue runScan(ManagementService& service, ScanTarget& target, SystemInventory& inventory);

}  // namespace kestrel
