#include "platform/linux/dmi_id.h"

namespace kestrel::linux_machine {

DmiId DmiId::read(const MachineRoot& root) {
    const auto attribute = [&](const char* name) {
        return root.readTrimmed(std::string("/sys/class/dmi/id/") + name);
    };
    DmiId id;
    id.sysVendor = attribute("sys_vendor");
    id.productName = attribute("product_name");
    id.productVersion = attribute("product_version");
    id.productSerial = attribute("product_serial");
    id.boardVendor = attribute("board_vendor");
    id.boardName = attribute("board_name");
    id.biosVendor = attribute("bios_vendor");
    id.biosVersion = attribute("bios_version");
    return id;
}

}  // namespace kestrel::linux_machine
