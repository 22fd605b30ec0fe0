#pragma once

#include <array>
#include <string_view>

#include "inventory/inventory_fields.h"
#include "inventory/system_inventory.h"
#include "ui/layout/layout_names.h"

// Where the main window shows the record: the value labels, each with the field it shows.
namespace kestrel::forms {

struct ValueLabel {
    layout::LabelName name;
    InventoryField::Member field;
};

inline constexpr auto kValueLabels = [] {
    using R = SystemInventory;
    return std::array<ValueLabel, 18>{{
        {layout::form1::Label21, &R::systemManufacturer},
        {layout::form1::Label22, &R::systemModel},
        {layout::form1::Label23, &R::productVendor},
        {layout::form1::Label24, &R::productVersion},
        {layout::form1::Label25, &R::productIdentifyingNumber},
        {layout::form1::Label26, &R::systemType},
        {layout::form1::Label27, &R::processorName},
        {layout::form1::Label28, &R::processorManufacturer},
        {layout::form1::Label41, &R::processorClockSpeed},
        {layout::form1::Label29, &R::processorExtClock},
        {layout::form1::Label30, &R::boardManufacturer},
        {layout::form1::Label31, &R::boardProduct},
        {layout::form1::Label32, &R::biosManufacturer},
        {layout::form1::Label33, &R::biosVersion},
        {layout::form1::Label34, &R::memoryMakers},
        {layout::form1::Label35, &R::installedMemoryText},
        {layout::form1::Label36, &R::maximumMemoryText},
        {layout::form1::Label37, &R::slotSummaryText},
    }};
}();

}  // namespace kestrel::forms
