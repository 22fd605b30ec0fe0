#pragma once

#include <ostream>

#include "inventory/inventory_value.h"

namespace kestrel {

// Lets test failures show values as text rather than as bytes.
inline void PrintTo(const InventoryValue& value, std::ostream* out) { *out << describe(value); }

}  // namespace kestrel
