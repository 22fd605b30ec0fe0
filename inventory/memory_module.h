#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "inventory/inventory_value.h"

namespace kestrel {

// One installed memory module as the scan read it: the facts themselves, for readers that want
// numbers rather than the display lists. Null where the service gave no value.
struct MemoryModule {
    InventoryValue locator;  // the slot, "DIMM 1"
    std::optional<std::uint64_t> capacityBytes;
    std::optional<std::uint16_t> memoryType;  // the instrumentation's code, 26 for DDR4
    std::optional<std::uint32_t> speedMHz;
    InventoryValue manufacturer;       // the firmware's text, "80CE" or "Samsung"
    std::optional<std::string> maker;  // the maker that text or the module's code names

    bool operator==(const MemoryModule&) const = default;
};

}  // namespace kestrel
