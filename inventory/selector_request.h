#pragma once

#include <string>
#include <string_view>

#include "inventory/inventory_value.h"
#include "inventory/system_inventory.h"

namespace kestrel {

// Where the memory selector page lives; fixed when Kestrel is built.
struct SelectorSite {
    std::string host;
    std::string siteDomain;
};

// The model as the selector page gets it: where the model was a placeholder ("Not Available"),
// the board's product name stands in for it, so the selector still gets something to match on.
// The record, the windows and the report keep "Not Available".
InventoryValue selectorModel(const SystemInventory& inventory);

// Letters, digits and - . _ ~ ! $ ( ) * , : @ / ? stay; every other byte becomes %XX. Those are
// the characters that the embedded browsers, too, send as they stand, so the address is the
// request the page gets, byte for byte (the apostrophe is not among them: one browser sends it
// as %27).
std::string percentEncode(std::string_view text);

// The selector page address with its nine query parameters in their fixed order. The blanks
// around the first key's "=" are written %20, as no request line can carry them.
std::string buildSelectorUrl(const SystemInventory& inventory, const SelectorSite& site);

}  // namespace kestrel
