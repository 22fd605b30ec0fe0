#pragma once

#include "inventory/management/management_table.h"
#include "platform/linux/machine_root.h"
#include "platform/machine_service.h"

namespace kestrel::linux_machine {

struct MachineReading {
    ManagementTable table;
    MachineSources sources;
};

// Reads the seven management classes from the best source for each property: the SMBIOS
// table where it can be read (root), else the udev database and /sys/class/dmi/id; the
// running kernel for installed memory, the processor's brand string and the architecture.
MachineReading readMachine(const MachineRoot& root);

}  // namespace kestrel::linux_machine
