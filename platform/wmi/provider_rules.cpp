#include "platform/wmi/provider_rules.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <variant>

#include "inventory/error.h"
#include "inventory/management/management_table.h"

namespace kestrel::wmi {
namespace {

using NameSet = std::set<std::string, CaseInsensitiveLess>;

constexpr std::string_view kMemoryArray = "Win32_PhysicalMemoryArray";
constexpr std::string_view kMemoryModule = "Win32_PhysicalMemory";
constexpr std::int64_t kSystemMemoryUse = 3;

const std::map<std::string, NameSet, CaseInsensitiveLess>& scannedProperties() {
    static const std::map<std::string, NameSet, CaseInsensitiveLess> properties{
        {"Win32_ComputerSystem", {"Manufacturer", "Model", "SystemType", "TotalPhysicalMemory"}},
        {std::string(kMemoryArray), {"MaxCapacity", "MemoryDevices", "Use"}},
        {std::string(kMemoryModule),
         {"Capacity", "MemoryType", "Speed", "DeviceLocator", "Manufacturer"}},
        {"Win32_Processor", {"Name", "Manufacturer", "CurrentClockSpeed", "ExtClock"}},
        {"Win32_Bios", {"Manufacturer", "SMBIOSBIOSVersion"}},
        {"Win32_ComputerSystemProduct", {"IdentifyingNumber", "Vendor", "Version"}},
        {"Win32_Baseboard", {"Manufacturer", "Product"}},
    };
    return properties;
}

bool sameName(std::string_view a, std::string_view b) {
    const CaseInsensitiveLess less;
    return !less(a, b) && !less(b, a);
}

bool isScanned(std::string_view className, std::string_view name) {
    const auto& classes = scannedProperties();
    const auto found = classes.find(className);
    return found != classes.end() && found->second.contains(name);
}

bool holdsInteger(const std::optional<InventoryValue>& value, std::int64_t wanted) {
    if (!value) return false;
    const auto* integer = std::get_if<std::int64_t>(&value->storage());
    return integer && *integer == wanted;
}

InventoryValue moduleMemoryType(const PropertyLookup& lookup) {
    const std::optional<InventoryValue> cim = lookup("MemoryType");
    const bool cimKnown = cim && !cim->isNull() && !holdsInteger(cim, 0);
    if (!cimKnown) {
        const std::optional<InventoryValue> smbios = lookup("SMBIOSMemoryType");
        if (smbios && !smbios->isNull()) return *smbios;
    }
    return cim.value_or(InventoryValue::null());
}

}  // namespace

bool isReported(std::string_view className, const PropertyLookup& lookup) {
    return !sameName(className, kMemoryArray) || holdsInteger(lookup("Use"), kSystemMemoryUse);
}

InventoryValue readProperty(std::string_view className, std::string_view name,
                            const PropertyLookup& lookup) {
    if (sameName(className, kMemoryModule) && sameName(name, "MemoryType")) {
        return moduleMemoryType(lookup);
    }
    if (std::optional<InventoryValue> value = lookup(name)) return *std::move(value);
    if (isScanned(className, name)) return InventoryValue::null();
    throw Error(std::string(className) + " has no property \"" + std::string(name) + "\"");
}

}  // namespace kestrel::wmi
