#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "inventory/inventory_fields.h"

// Names of the main window's controls that the scan writes. They are the object names in the
// window's layout, so the scan and the window meet on them.
namespace kestrel::controls {

// The 18 value labels, in the order the scan writes them; the load handler blanks them.
inline constexpr auto kValueLabels = [] {
    std::array<std::string_view, kCaptionedFields.size()> labels{};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i] = kInventoryFields[kCaptionedFields[i]].valueLabel;
    return labels;
}();

inline constexpr std::string_view kSlotsList = "slotsLst";
inline constexpr std::string_view kMemoryList = "memoryLst";
inline constexpr std::string_view kSpeedList = "speedLst";

}  // namespace kestrel::controls
