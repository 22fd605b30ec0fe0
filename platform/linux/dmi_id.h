#pragma once

#include <optional>
#include <string>

#include "platform/linux/machine_root.h"

namespace kestrel::linux_machine {

// The kernel's own copy of the main SMBIOS strings in /sys/class/dmi/id, world-readable
// except the serial numbers.
struct DmiId {
    std::optional<std::string> sysVendor;
    std::optional<std::string> productName;
    std::optional<std::string> productVersion;
    std::optional<std::string> productSerial;
    std::optional<std::string> boardVendor;
    std::optional<std::string> boardName;
    std::optional<std::string> biosVendor;
    std::optional<std::string> biosVersion;

    static DmiId read(const MachineRoot& root);
};

}  // namespace kestrel::linux_machine
