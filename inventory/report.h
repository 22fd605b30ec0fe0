#pragma once

#include <string>

#include "inventory/inventory_value.h"
#include "inventory/system_inventory.h"

namespace kestrel {

// The 35-line plain-text report, CR LF after every line: five sections, each a header, a blank
// line and the lines of the fields that the field table places there.
std::string buildReport(const SystemInventory& inventory);

}  // namespace kestrel
