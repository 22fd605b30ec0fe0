#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/inventory_value.h"
#include "inventory/memory_module.h"

namespace kestrel {

// What one scan learns about the machine, with the texts it shows them by. A fresh record has
// every value Empty, the memory figures at 0, no modules and the texts empty. Which field the
// report prints is in the field table (inventory_fields.h); kestrel-scan --json writes the
// record as cli/json_output.cpp lays it out.
struct SystemInventory {
    // How this scan writes numbers (the user's decimal separator); every text below follows it.
    ValueFormat format;

    // Win32_ComputerSystem
    InventoryValue systemManufacturer;
    InventoryValue systemModel;
    InventoryValue systemType;
    double installedMemoryGB = 0;  // rounded to 2 decimals
    // Win32_PhysicalMemoryArray, summed over every array
    double maximumMemoryGB = 0;  // rounded to 2 decimals
    InventoryValue memorySlots;
    // Win32_PhysicalMemory: one entry per module, each ending in its own separator
    InventoryValue moduleCapacities;
    InventoryValue moduleMemoryTypes;
    InventoryValue moduleSpeeds;
    InventoryValue moduleLocators;
    InventoryValue moduleManufacturers;  // as the firmware wrote them
    std::string memoryMakers;            // the distinct makers those name, "Samsung, SK Hynix"
    std::int16_t moduleCount = 0;
    // Win32_Processor
    InventoryValue processorName;
    InventoryValue processorManufacturer;
    InventoryValue processorClockSpeed;
    InventoryValue processorExtClock;
    // Win32_Bios
    InventoryValue biosManufacturer;
    InventoryValue biosVersion;
    // Win32_ComputerSystemProduct
    InventoryValue productIdentifyingNumber;
    InventoryValue productVendor;
    InventoryValue productVersion;
    // Win32_Baseboard
    InventoryValue boardManufacturer;
    InventoryValue boardProduct;

    // The unrounded sizes in megabytes behind the two gigabyte figures; the megabyte texts
    // below 1 GB are written from these.
    double installedMemoryMB = 0;
    double maximumMemoryMB = 0;

    // The same sizes exactly, in bytes, and every module's facts in the service's order:
    // the numbers behind the texts, for --json. nullopt where no source gave a size.
    std::optional<std::uint64_t> installedMemoryBytes;
    std::optional<std::uint64_t> maximumMemoryBytes;
    std::vector<MemoryModule> modules;

    // The memory texts as their labels show them ("7.9 GB", "384 MB",
    // "4  (Currently Memory in 2 Slots)"); the report and the selector address read them.
    std::string installedMemoryText;
    std::string maximumMemoryText;
    std::string slotSummaryText;

    // Each module's locator, size and speed as a row of a list shows them ("DIMM 1",
    // "8192 MB", "3200 MHz"), in the service's order: row i of each list is module i.
    struct ModuleRow {
        std::string locator;
        std::string size;
        std::string speed;
        bool operator==(const ModuleRow&) const = default;
    };
    std::vector<ModuleRow> moduleRows;

    std::string reportText;   // the 35-line plain-text report
    std::string selectorUrl;  // the memory selector page address
};

}  // namespace kestrel
