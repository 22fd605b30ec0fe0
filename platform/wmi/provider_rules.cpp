#include "platform/wmi/provider_rules.h"

#include <cstdint>
#include <string>
#include <variant>

#include "inventory/error.h"
#include "inventory/management/schema.h"
#include "inventory/text_helpers.h"

namespace kestrel::wmi {
namespace {

// WMI's own names beyond Kestrel's sets: what a memory array is used for, and the SMBIOS code
// of a module's memory type.
constexpr std::string_view kUse = "Use";
constexpr std::string_view kSmbiosMemoryType = "SMBIOSMemoryType";
constexpr std::int64_t kSystemMemoryUse = 3;

bool isScanned(std::string_view className, std::string_view name) {
    const schema::ManagementClass* found = schema::findClass(className);
    return found && schema::hasProperty(*found, name);
}

bool holdsInteger(const std::optional<InventoryValue>& value, std::int64_t wanted) {
    if (!value) return false;
    const auto* integer = std::get_if<std::int64_t>(&value->storage());
    return integer && *integer == wanted;
}

InventoryValue moduleMemoryType(const PropertyLookup& lookup) {
    const std::optional<InventoryValue> cim = lookup(schema::kMemoryType);
    const bool cimKnown = cim && !cim->isNull() && !holdsInteger(cim, 0);
    if (!cimKnown) {
        const std::optional<InventoryValue> smbios = lookup(kSmbiosMemoryType);
        if (smbios && !smbios->isNull()) return *smbios;
    }
    return cim.value_or(InventoryValue::null());
}

}  // namespace

bool isReported(std::string_view className, const PropertyLookup& lookup) {
    return !equalsIgnoringCase(className, schema::kPhysicalMemoryArray.name) ||
           holdsInteger(lookup(kUse), kSystemMemoryUse);
}

InventoryValue readProperty(std::string_view className, std::string_view name,
                            const PropertyLookup& lookup) {
    if (equalsIgnoringCase(className, schema::kPhysicalMemory.name) &&
        equalsIgnoringCase(name, schema::kMemoryType)) {
        return moduleMemoryType(lookup);
    }
    if (std::optional<InventoryValue> value = lookup(name)) return *std::move(value);
    if (isScanned(className, name)) return InventoryValue::null();
    throw Error(std::string(className) + " has no property " + quoteValue(name));
}

}  // namespace kestrel::wmi
