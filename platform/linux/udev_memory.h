#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/management/machine_facts.h"

namespace kestrel::linux_machine {

// One memory device as the udev database records it (MEMORY_DEVICE_<n>_*).
struct UdevMemoryDevice {
    int index = 0;
    bool present = true;
    std::optional<std::int64_t> sizeBytes;
    std::optional<std::string> type;  // a name such as "DDR4"
    std::optional<std::int64_t> speedMts;
    std::optional<std::string> locator;
    std::optional<std::string> manufacturer;
    std::optional<std::string> manufacturerId;  // as MemoryModuleFacts holds it
};

// The memory facts that udev writes at boot into the DMI device's database entry, readable
// without root.
struct UdevMemory {
    std::optional<std::int64_t> arrayMaxCapacityBytes;
    std::optional<std::int64_t> arrayDeviceCount;
    std::vector<UdevMemoryDevice> devices;  // by index
    std::vector<std::string> notices;       // one line per value that could not be used

    // Parses the "E:KEY=VALUE" lines; nullopt when the entry holds no memory facts.
    static std::optional<UdevMemory> parse(const std::string& database);

    // The memory array and modules these facts stand for. Non-volatile devices (the firmware's
    // flash or ROM) are not system memory: they are neither listed nor counted.
    std::vector<MemoryArrayFacts> arrays() const;
    std::vector<MemoryModuleFacts> modules() const;
};

}  // namespace kestrel::linux_machine
