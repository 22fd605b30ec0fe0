#include "platform/machine_service.h"

#include "platform/linux/linux_machine.h"

namespace kestrel {

std::unique_ptr<ManagementService> openMachineService(MachineSources* sources) {
    linux_machine::MachineReading reading =
        linux_machine::readMachine(linux_machine::MachineRoot::fromEnvironment());
    if (sources) *sources = std::move(reading.sources);
    return std::make_unique<TableService>(std::move(reading.table));
}

}  // namespace kestrel
