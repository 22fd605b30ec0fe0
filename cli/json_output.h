#pragma once

#include <string>
#include <vector>

#include "inventory/recording_scan_target.h"
#include "inventory/system_inventory.h"

namespace kestrel::cli {

// One JSON object with every field of the record (Empty and Null as null), every caption by
// control name, the rows of the three lists, the report, the selector address and the sources
// that answered.
std::string toJson(const SystemInventory& inventory, const RecordingScanTarget& target,
                   const std::vector<std::string>& sources);

}  // namespace kestrel::cli
