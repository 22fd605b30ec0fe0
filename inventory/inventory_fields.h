#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "inventory/inventory_value.h"
#include "inventory/system_inventory.h"

namespace kestrel {

// One field of the record and the report line that prints it. The report follows an order of
// its own, fixed by what it shows, so a field carries its place in it.
struct InventoryField {
    using Member = std::variant<InventoryValue SystemInventory::*, std::string SystemInventory::*>;

    constexpr InventoryField(Member member_, int reportLine_ = 0,
                             std::string_view reportLabel_ = {})
        : member(member_), reportLine(reportLine_), reportLabel(reportLabel_) {}

    Member member;
    int reportLine;  // the report line that prints it, 1 to 35; 0: none
    std::string_view reportLabel;
};

// The record's fields that the report prints, in the record's own order. The working figures,
// the report and the selector address are the scan's results, not fields printed one by one.
inline constexpr auto kInventoryFields = [] {
    using R = SystemInventory;
    // clang-format off
    return std::array<InventoryField, 21>{{
        // member                    line  report label
        {&R::systemManufacturer,        3, "System Manufacturer:"},
        {&R::systemModel,               4, "System Model: "},
        {&R::systemType,                7, "System Type: "},
        {&R::memorySlots,              31, "Total Slots: "},
        {&R::moduleCapacities,         32, "Capacity: "},
        {&R::moduleMemoryTypes,        33, "Memory Type: "},
        {&R::moduleSpeeds,             34, "Speed: "},
        {&R::moduleLocators,           35, "Slots: "},
        {&R::memoryMakers,             28, "Memory Manufacturer: "},
        {&R::processorName,            16, "Processor: "},
        {&R::processorManufacturer,    17, "Processor Manufacturer: "},
        {&R::processorClockSpeed,      18, "Processor Speed: "},
        {&R::processorExtClock,        19, "Processor FSB: "},
        {&R::biosManufacturer,         23, "Bios: "},
        {&R::biosVersion,              24, "Version: "},
        {&R::productIdentifyingNumber,  6, "IdentifyingNumber: "},
        {&R::productVersion,            5, "System Version: "},
        {&R::boardManufacturer,        11, "Mother Board Manufacturer: "},
        {&R::boardProduct,             12, "Motherboard Model: "},
        {&R::installedMemoryText,      29, "Installed RAM: "},
        {&R::maximumMemoryText,        30, "Maximum RAM: "},
    }};
    // clang-format on
}();

// The text a field shows, in the report or in a window, written with the record's own number
// format and with control characters blanked (a Null shows blank, like Empty: a missing fact
// must not end the scan).
std::string shownText(const SystemInventory& inventory, InventoryField::Member field);

}  // namespace kestrel
