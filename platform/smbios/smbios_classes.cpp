#include "platform/smbios/smbios_classes.h"

#include <limits>
#include <map>
#include <set>

#include "inventory/text_helpers.h"
#include "platform/smbios/manufacturer_id.h"
#include "platform/smbios/memory_type.h"
#include "platform/smbios/structure_fields.h"

namespace kestrel::smbios {
namespace {

namespace f = fields;

InventoryValue text(const Structure& structure, std::size_t offset) {
    const auto value = structure.string(offset);
    return value ? InventoryValue(firmwareText(*value)) : InventoryValue::null();
}

// For fields where 0 means the firmware does not know (speeds, clocks).
InventoryValue knownNumber(std::optional<std::uint64_t> value) {
    if (!value || *value == 0) return InventoryValue::null();
    return InventoryValue(static_cast<std::int64_t>(*value));
}

std::vector<const Structure*> ofType(const Table& table, std::uint8_t type) {
    std::vector<const Structure*> found;
    for (const auto& structure : table.structures) {
        if (structure.type() == type) found.push_back(&structure);
    }
    return found;
}

bool isSystemMemoryArray(const Structure& array) {
    return array.byte(f::memory_array::kUse) == f::memory_array::kSystemMemory;
}

bool isPopulatedSocket(const Structure& processor) {
    const auto status = processor.byte(f::processor::kStatus);
    return status && (*status & f::processor::kSocketPopulated) != 0;
}

// Bytes, Null when the firmware does not know; nullopt for an empty slot.
std::optional<InventoryValue> moduleCapacity(const Structure& device) {
    using namespace f::memory_device;
    const auto size = device.word(kSize);
    if (!size || *size == kSizeUnknown) return InventoryValue::null();
    if (*size == kNotInstalled) return std::nullopt;
    constexpr std::int64_t kKiB = 1024;
    constexpr std::int64_t kMiB = 1024 * kKiB;
    // Records too short for Extended Size predate it, and there 0x7FFF is a plain size.
    if (const auto extended = device.dword(kExtendedSize); extended && *size == kSizeIsExtended) {
        return InventoryValue((*extended & kExtendedMask) * kMiB);
    }
    if (*size & kSizeInKiB) return InventoryValue((*size & ~kSizeInKiB) * kKiB);
    return InventoryValue(*size * kMiB);
}

InventoryValue moduleSpeed(const Structure& device) {
    using namespace f::memory_device;
    const auto speed = device.word(kSpeed);
    if (speed != kSpeedIsExtended) return knownNumber(speed);
    const auto extended = device.dword(kExtendedSpeed);
    return knownNumber(extended ? std::optional<std::uint64_t>(*extended & kExtendedMask)
                                : std::nullopt);
}

struct InstalledModule {
    const Structure* device;
    InventoryValue capacity;
};

// The modules in the slots of system-memory arrays; flash and other arrays hold no RAM.
std::vector<InstalledModule> installedModules(const Table& table) {
    std::set<std::uint16_t> systemArrays;
    for (const Structure* array : ofType(table, f::memory_array::kType)) {
        if (isSystemMemoryArray(*array)) systemArrays.insert(array->handle());
    }
    std::vector<InstalledModule> modules;
    for (const Structure* device : ofType(table, f::memory_device::kType)) {
        const auto array = device->word(f::memory_device::kArrayHandle);
        if (!array || !systemArrays.contains(*array)) continue;
        if (auto capacity = moduleCapacity(*device)) {
            modules.push_back({device, std::move(*capacity)});
        }
    }
    return modules;
}

// The sum of the sizes known; Null when none is, or when the sum cannot be a real one.
InventoryValue totalMemory(const std::vector<InstalledModule>& modules) {
    std::int64_t total = 0;
    bool anyKnown = false;
    for (const auto& module : modules) {
        const auto* bytes = std::get_if<std::int64_t>(&module.capacity.storage());
        if (!bytes) continue;
        if (*bytes > std::numeric_limits<std::int64_t>::max() - total) {
            return InventoryValue::null();
        }
        total += *bytes;
        anyKnown = true;
    }
    return anyKnown ? InventoryValue(total) : InventoryValue::null();
}

void addComputerSystem(ManagementTable& classes, const Table& table,
                       const std::vector<InstalledModule>& modules) {
    bool is64Bit = false;
    for (const Structure* processor : ofType(table, f::processor::kType)) {
        const auto characteristics = processor->word(f::processor::kCharacteristics);
        is64Bit = is64Bit || (isPopulatedSocket(*processor) && characteristics &&
                              (*characteristics & f::processor::k64BitCapable) != 0);
    }
    const auto systems = ofType(table, f::system::kType);
    const auto system = [&](std::size_t offset) {
        return systems.empty() ? InventoryValue::null() : text(*systems.front(), offset);
    };
    classes.add(schema::kComputerSystem,
                {{schema::kManufacturer, system(f::system::kManufacturer)},
                 {schema::kModel, system(f::system::kProductName)},
                 {schema::kSystemType, is64Bit ? "x64-based PC" : "X86-based PC"},
                 {schema::kTotalPhysicalMemory, totalMemory(modules)}});
}

void addMemoryArrays(ManagementTable& classes, const Table& table) {
    using namespace f::memory_array;
    // Some firmware lists more devices for an array than its count says; trust the devices.
    std::map<std::uint16_t, std::int64_t> devicesPerArray;
    for (const Structure* device : ofType(table, f::memory_device::kType)) {
        if (const auto array = device->word(f::memory_device::kArrayHandle)) {
            ++devicesPerArray[*array];
        }
    }
    for (const Structure* array : ofType(table, kType)) {
        if (!isSystemMemoryArray(*array)) continue;
        InventoryValue maxCapacity = InventoryValue::null();
        const auto kilobytes = array->dword(kMaximumCapacity);
        if (kilobytes && *kilobytes != kCapacityIsExtended) {
            maxCapacity = InventoryValue(static_cast<std::int64_t>(*kilobytes));
        } else if (const auto bytes = array->qword(kExtendedMaximumCapacity); kilobytes && bytes) {
            maxCapacity = InventoryValue(static_cast<std::int64_t>(*bytes / 1024));
        }
        InventoryValue devices = InventoryValue::null();
        if (const auto declared = array->word(kDeviceCount)) {
            const auto listed = devicesPerArray.find(array->handle());
            devices = InventoryValue(std::max<std::int64_t>(
                *declared, listed == devicesPerArray.end() ? 0 : listed->second));
        }
        classes.add(schema::kPhysicalMemoryArray,
                    {{schema::kMaxCapacity, maxCapacity}, {schema::kMemoryDevices, devices}});
    }
}

void addModules(ManagementTable& classes, const std::vector<InstalledModule>& modules) {
    using namespace f::memory_device;
    for (const auto& [device, capacity] : modules) {
        const auto type = device->byte(kMemoryType);
        PropertyMap module{{schema::kCapacity, capacity},
                           {schema::kMemoryType,
                            type ? InventoryValue(cimMemoryType(*type)) : InventoryValue::null()},
                           {schema::kSpeed, moduleSpeed(*device)},
                           {schema::kDeviceLocator, text(*device, kLocator)},
                           {schema::kManufacturer, text(*device, kManufacturer)}};
        if (const auto id = device->word(kModuleManufacturerCode)) {
            if (auto idText = manufacturerIdText(*id)) {
                module.emplace(schema::kModuleManufacturerId, std::move(*idText));
            }
        }
        classes.add(schema::kPhysicalMemory, std::move(module));
    }
}

void addProcessors(ManagementTable& classes, const Table& table) {
    using namespace f::processor;
    for (const Structure* processor : ofType(table, kType)) {
        if (!isPopulatedSocket(*processor)) continue;
        classes.add(schema::kProcessor,
                    {{schema::kName, text(*processor, kVersion)},
                     {schema::kManufacturer, text(*processor, kManufacturer)},
                     {schema::kCurrentClockSpeed, knownNumber(processor->word(kCurrentSpeed))},
                     {schema::kExtClock, knownNumber(processor->word(kExternalClock))}});
    }
}

void addIdentity(ManagementTable& classes, const Table& table) {
    if (const auto bios = ofType(table, f::bios::kType); !bios.empty()) {
        classes.add(schema::kBios,
                    {{schema::kManufacturer, text(*bios.front(), f::bios::kVendor)},
                     {schema::kSmbiosBiosVersion, text(*bios.front(), f::bios::kVersion)}});
    }
    if (const auto systems = ofType(table, f::system::kType); !systems.empty()) {
        const Structure& system = *systems.front();
        classes.add(schema::kComputerSystemProduct,
                    {{schema::kIdentifyingNumber, text(system, f::system::kSerialNumber)},
                     {schema::kVendor, text(system, f::system::kManufacturer)},
                     {schema::kVersion, text(system, f::system::kVersion)}});
    }
    for (const Structure* board : ofType(table, f::board::kType)) {
        classes.add(schema::kBaseboard,
                    {{schema::kManufacturer, text(*board, f::board::kManufacturer)},
                     {schema::kProduct, text(*board, f::board::kProduct)}});
    }
}

}  // namespace

ManagementTable classesFromTable(const Table& table) {
    ManagementTable classes;
    const auto modules = installedModules(table);
    addComputerSystem(classes, table, modules);
    addMemoryArrays(classes, table);
    addModules(classes, modules);
    addProcessors(classes, table);
    addIdentity(classes, table);
    return classes;
}

}  // namespace kestrel::smbios
