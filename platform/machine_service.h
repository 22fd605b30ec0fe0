#pragma once

#include <memory>
#include <string>
#include <vector>

#include "inventory/management/management_service.h"

namespace kestrel {

// What the machine's provider found out about its own sources, for the user's benefit.
struct MachineSources {
    std::vector<std::string> answered;  // e.g. "smbios", "udev", "dmi-id", "proc"
    std::vector<std::string> notices;   // one line each, such as a missing permission
};

// The management service of the machine Kestrel runs on: WMI on Windows; on Linux the SMBIOS
// table and the OS, read below $KESTREL_ROOT when that is set. Throws Error when the service
// cannot be opened at all.
std::unique_ptr<ManagementService> openMachineService(MachineSources* sources = nullptr);

}  // namespace kestrel
