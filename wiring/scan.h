#pragma once

#include "inventory/management/management_service.h"
#include "inventory/system_inventory.h"

namespace kestrel {

// The scan as Kestrel runs it, in the windows and on the command line alike: numbers written
// in the user's locale, the selector page of the build. Every failure throws.
SystemInventory scan(ManagementService& service);

}  // namespace kestrel
