#pragma once

#include <string>

#include "inventory/inventory_value.h"
#include "inventory/system_inventory.h"

namespace kestrel {

// The 35-line plain-text report, CR LF after every line. The two memory lines take the
// captions that the installed and maximum memory labels show.
std::string buildReport(const SystemInventory& inventory, const ValueFormat& format,
                        const std::string& installedMemoryCaption,
                        const std::string& maximumMemoryCaption);

}  // namespace kestrel
