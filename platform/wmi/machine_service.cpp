#include "platform/machine_service.h"

#include "platform/wmi/wmi_service.h"

namespace kestrel {

std::unique_ptr<ManagementService> openMachineService(MachineSources* sources) {
    auto service = std::make_unique<wmi::WmiService>();
    if (sources) sources->answered.push_back("wmi");
    return service;
}

}  // namespace kestrel
