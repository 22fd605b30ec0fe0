#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "inventory/inventory_value.h"

namespace kestrel::wmi {

// An object's property as its class delivers it, or nullopt when the class has no property of
// that name.
using PropertyLookup = std::function<std::optional<InventoryValue>(std::string_view name)>;

// Whether the scan gets to see an object. A memory array counts only when it holds system
// memory (Use 3): a flash or video array is no RAM and must not add slots or capacity.
bool isReported(std::string_view className, const PropertyLookup& lookup);

// The value the scan reads as `name` of an object of `className`.
// - A property the scan reads that this system's class lacks (older systems and Wine have no
//   Speed or ExtClock) reads as Null; any other missing name throws Error.
// - A module's MemoryType is the CIM code where that is non-zero, else SMBIOSMemoryType:
//   recent systems report CIM 0 (unknown) for DDR4 and newer.
InventoryValue readProperty(std::string_view className, std::string_view name,
                            const PropertyLookup& lookup);

}  // namespace kestrel::wmi
