#include "inventory/inventory_fields.h"

#include <type_traits>

#include "inventory/text_helpers.h"

namespace kestrel {

std::string shownText(const SystemInventory& inventory, InventoryField::Member field) {
    // Every kind of field is blanked, the makers' text too: a firmware string must not break a
    // caption or a report line.
    return blankControls(std::visit(
        [&](auto member) -> std::string {
            const auto& value = inventory.*member;
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, std::string>) {
                return value;
            } else {
                return inventory.format.text(value);
            }
        },
        field));
}

}  // namespace kestrel
