#pragma once

#include <string>

#include "inventory/recording_scan_target.h"
#include "inventory/system_inventory.h"

namespace kestrel::cli {

// One JSON object with every field of the record (Empty and Null as null), every caption by
// control name, the rows of the three lists, the report and the selector address.
std::string toJson(const SystemInventory& inventory, const RecordingScanTarget& target);

}  // namespace kestrel::cli
