#pragma once

#include <array>
#include <string_view>

#include "inventory/inventory_fields.h"
#include "inventory/system_inventory.h"

// Where the main window shows the record: the value labels, each with the field it shows, and
// the three lists whose row i describes module i.
namespace kestrel::forms {

struct ValueLabel {
    std::string_view name;  // the label's layout name
    InventoryField::Member field;
};

inline constexpr auto kValueLabels = [] {
    using R = SystemInventory;
    return std::array<ValueLabel, 18>{{
        {"Label21", &R::systemManufacturer},
        {"Label22", &R::systemModel},
        {"Label23", &R::productVendor},
        {"Label24", &R::productVersion},
        {"Label25", &R::productIdentifyingNumber},
        {"Label26", &R::systemType},
        {"Label27", &R::processorName},
        {"Label28", &R::processorManufacturer},
        {"Label41", &R::processorClockSpeed},
        {"Label29", &R::processorExtClock},
        {"Label30", &R::boardManufacturer},
        {"Label31", &R::boardProduct},
        {"Label32", &R::biosManufacturer},
        {"Label33", &R::biosVersion},
        {"Label34", &R::memoryMakers},
        {"Label35", &R::installedMemoryText},
        {"Label36", &R::maximumMemoryText},
        {"Label37", &R::slotSummaryText},
    }};
}();

inline constexpr std::string_view kSlotsList = "slotsLst";
inline constexpr std::string_view kMemoryList = "memoryLst";
inline constexpr std::string_view kSpeedList = "speedLst";

}  // namespace kestrel::forms
