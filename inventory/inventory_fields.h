#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "inventory/inventory_value.h"
#include "inventory/system_inventory.h"

namespace kestrel {

// One field of the record and where it shows: the main window's value label, the report line.
// The window and the report each follow their own order, fixed by what they show, so a field
// carries its place in each of them.
struct InventoryField {
    using Member = std::variant<InventoryValue SystemInventory::*, std::string SystemInventory::*>;

    constexpr InventoryField(Member member_, std::string_view valueLabel_ = {},
                             int captionStep_ = 0, int reportLine_ = 0,
                             std::string_view reportLabel_ = {})
        : member(member_),
          valueLabel(valueLabel_),
          captionStep(captionStep_),
          reportLine(reportLine_),
          reportLabel(reportLabel_) {}

    Member member;
    std::string_view valueLabel;  // the label that shows it; empty: none
    int captionStep;              // when the scan writes that label: 1 first
    int reportLine;               // the report line that prints it, 1 to 35; 0: none
    std::string_view reportLabel;
};

// The record's fields that the window or the report shows, in the record's own order. The
// working figures, the report and the selector address are the scan's results, not fields shown
// one by one.
inline constexpr auto kInventoryFields = [] {
    using R = SystemInventory;
    // clang-format off
    return std::array<InventoryField, 23>{{
        // member                      label      step line  report label
        {&R::systemManufacturer,       "Label21",  3,  3, "System Manufacturer:"},
        {&R::systemModel,              "Label22",  4,  4, "System Model: "},
        {&R::systemType,               "Label26",  8,  7, "System Type: "},
        {&R::memorySlots,              {},         0, 31, "Total Slots: "},
        {&R::moduleCapacities,         {},         0, 32, "Capacity: "},
        {&R::moduleMemoryTypes,        {},         0, 33, "Memory Type: "},
        {&R::moduleSpeeds,             {},         0, 34, "Speed: "},
        {&R::moduleLocators,           {},         0, 35, "Slots: "},
        {&R::memoryMakers,             "Label34", 17, 28, "Memory Manufacturer: "},
        {&R::processorName,            "Label27",  9, 16, "Processor: "},
        {&R::processorManufacturer,    "Label28", 10, 17, "Processor Manufacturer: "},
        {&R::processorClockSpeed,      "Label41", 11, 18, "Processor Speed: "},
        {&R::processorExtClock,        "Label29", 12, 19, "Processor FSB: "},
        {&R::biosManufacturer,         "Label32", 15, 23, "Bios: "},
        {&R::biosVersion,              "Label33", 16, 24, "Version: "},
        {&R::productIdentifyingNumber, "Label25",  7,  6, "IdentifyingNumber: "},
        {&R::productVendor,            "Label23",  5},
        {&R::productVersion,           "Label24",  6,  5, "System Version: "},
        {&R::boardManufacturer,        "Label30", 13, 11, "Mother Board Manufacturer: "},
        {&R::boardProduct,             "Label31", 14, 12, "Motherboard Model: "},
        {&R::installedMemoryText,      "Label35",  1, 29, "Installed RAM: "},
        {&R::maximumMemoryText,        "Label36",  2, 30, "Maximum RAM: "},
        {&R::slotSummaryText,          "Label37", 18},
    }};
    // clang-format on
}();

// The indices in kInventoryFields of the fields that a value label shows, in the order the scan
// writes them. Indices, not pointers: GCC's sanitizer builds cannot compare pointers into the
// table in a constant expression.
inline constexpr auto kCaptionedFields = [] {
    constexpr auto count = static_cast<std::size_t>(std::ranges::count_if(
        kInventoryFields, [](const InventoryField& f) { return !f.valueLabel.empty(); }));
    std::array<std::size_t, count> fields{};
    fields.fill(kInventoryFields.size());
    for (std::size_t i = 0; i < kInventoryFields.size(); ++i) {
        // A step outside 1 to count does not compile.
        if (!kInventoryFields[i].valueLabel.empty())
            fields.at(static_cast<std::size_t>(kInventoryFields[i].captionStep - 1)) = i;
    }
    return fields;
}();
static_assert(std::ranges::none_of(kCaptionedFields,
                                   [](std::size_t i) { return i == kInventoryFields.size(); }),
              "two captioned fields share a step");

// The text a field shows, with control characters blanked (a Null shows blank, like Empty: a
// missing fact must not end the scan).
std::string shownText(const SystemInventory& inventory, const InventoryField& field,
                      const ValueFormat& format);

}  // namespace kestrel
