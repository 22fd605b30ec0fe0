#pragma once

#include <string>
#include <vector>

#include "inventory/system_inventory.h"

namespace kestrel::cli {

// The scan as one versioned JSON document: the facts by meaning, numbers as numbers and
// missing values as null, one object per memory module, the report, the selector address and
// the sources that answered. kestrel-scan.schema.json describes it.
std::string toJson(const SystemInventory& inventory, const std::vector<std::string>& sources);

}  // namespace kestrel::cli
