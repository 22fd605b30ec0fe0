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

std::optional<std::string> text(const Structure& structure, std::size_t offset) {
    return firmwareTextIfAny(structure.string(offset));
}

// For fields where 0 means the firmware does not know (speeds, clocks).
std::optional<std::int64_t> knownNumber(std::optional<std::uint64_t> value) {
    if (!value || *value == 0) return std::nullopt;
    return static_cast<std::int64_t>(*value);
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

// The size of a module, unknown where the firmware does not know it.
struct Capacity {
    std::optional<std::int64_t> bytes;
};

// nullopt for an empty slot.
std::optional<Capacity> moduleCapacity(const Structure& device) {
    using namespace f::memory_device;
    const auto size = device.word(kSize);
    if (!size || *size == kSizeUnknown) return Capacity{};
    if (*size == kNotInstalled) return std::nullopt;
    constexpr std::int64_t kKiB = 1024;
    constexpr std::int64_t kMiB = 1024 * kKiB;
    // Records too short for Extended Size predate it, and there 0x7FFF is a plain size.
    if (const auto extended = device.dword(kExtendedSize); extended && *size == kSizeIsExtended) {
        return Capacity{(*extended & kExtendedMask) * kMiB};
    }
    if (*size & kSizeInKiB) return Capacity{(*size & ~kSizeInKiB) * kKiB};
    return Capacity{*size * kMiB};
}

std::optional<std::int64_t> moduleSpeed(const Structure& device) {
    using namespace f::memory_device;
    const auto speed = device.word(kSpeed);
    if (speed != kSpeedIsExtended) return knownNumber(speed);
    const auto extended = device.dword(kExtendedSpeed);
    return knownNumber(extended ? std::optional<std::uint64_t>(*extended & kExtendedMask)
                                : std::nullopt);
}

struct InstalledModule {
    const Structure* device;
    std::optional<std::int64_t> capacityBytes;
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
            modules.push_back({device, capacity->bytes});
        }
    }
    return modules;
}

// The sum of the sizes known; unknown when none is, or when the sum cannot be a real one.
std::optional<std::int64_t> totalMemory(const std::vector<InstalledModule>& modules) {
    std::int64_t total = 0;
    bool anyKnown = false;
    for (const auto& module : modules) {
        const auto& bytes = module.capacityBytes;
        if (!bytes) continue;
        if (*bytes > std::numeric_limits<std::int64_t>::max() - total) return std::nullopt;
        total += *bytes;
        anyKnown = true;
    }
    return anyKnown ? std::optional(total) : std::nullopt;
}

ComputerSystemFacts computerSystem(const Table& table,
                                   const std::vector<InstalledModule>& modules) {
    bool is64Bit = false;
    for (const Structure* processor : ofType(table, f::processor::kType)) {
        const auto characteristics = processor->word(f::processor::kCharacteristics);
        is64Bit = is64Bit || (isPopulatedSocket(*processor) && characteristics &&
                              (*characteristics & f::processor::k64BitCapable) != 0);
    }
    ComputerSystemFacts system;
    system.systemType = is64Bit ? "x64-based PC" : "X86-based PC";
    system.totalPhysicalMemoryBytes = totalMemory(modules);
    if (const auto systems = ofType(table, f::system::kType); !systems.empty()) {
        system.manufacturer = text(*systems.front(), f::system::kManufacturer);
        system.model = text(*systems.front(), f::system::kProductName);
    }
    return system;
}

std::vector<MemoryArrayFacts> memoryArrays(const Table& table) {
    using namespace f::memory_array;
    // Some firmware lists more devices for an array than its count says; trust the devices.
    std::map<std::uint16_t, std::int64_t> devicesPerArray;
    for (const Structure* device : ofType(table, f::memory_device::kType)) {
        if (const auto array = device->word(f::memory_device::kArrayHandle)) {
            ++devicesPerArray[*array];
        }
    }
    std::vector<MemoryArrayFacts> arrays;
    for (const Structure* array : ofType(table, kType)) {
        if (!isSystemMemoryArray(*array)) continue;
        MemoryArrayFacts facts;
        const auto kilobytes = array->dword(kMaximumCapacity);
        if (kilobytes && *kilobytes != kCapacityIsExtended) {
            facts.maxCapacityKiB = static_cast<std::int64_t>(*kilobytes);
        } else if (const auto bytes = array->qword(kExtendedMaximumCapacity); kilobytes && bytes) {
            facts.maxCapacityKiB = static_cast<std::int64_t>(*bytes / 1024);
        }
        if (const auto declared = array->word(kDeviceCount)) {
            const auto listed = devicesPerArray.find(array->handle());
            facts.memoryDevices = std::max<std::int64_t>(
                *declared, listed == devicesPerArray.end() ? 0 : listed->second);
        }
        arrays.push_back(facts);
    }
    return arrays;
}

std::vector<MemoryModuleFacts> memoryModules(const std::vector<InstalledModule>& modules) {
    using namespace f::memory_device;
    std::vector<MemoryModuleFacts> result;
    for (const auto& [device, capacityBytes] : modules) {
        const auto type = device->byte(kMemoryType);
        const auto id = device->word(kModuleManufacturerId);
        result.push_back({.capacityBytes = capacityBytes,
                          .memoryType = type ? std::optional(cimMemoryType(*type)) : std::nullopt,
                          .speedMts = moduleSpeed(*device),
                          .deviceLocator = text(*device, kLocator),
                          .manufacturer = text(*device, kManufacturer),
                          .manufacturerId = id ? manufacturerIdText(*id) : std::nullopt});
    }
    return result;
}

std::vector<ProcessorFacts> processors(const Table& table) {
    using namespace f::processor;
    std::vector<ProcessorFacts> result;
    for (const Structure* processor : ofType(table, kType)) {
        if (!isPopulatedSocket(*processor)) continue;
        result.push_back({.name = text(*processor, kVersion),
                          .manufacturer = text(*processor, kManufacturer),
                          .currentClockSpeedMHz = knownNumber(processor->word(kCurrentSpeed)),
                          .extClockMHz = knownNumber(processor->word(kExternalClock))});
    }
    return result;
}

}  // namespace

MachineFacts factsFromTable(const Table& table) {
    const auto modules = installedModules(table);
    MachineFacts facts;
    facts.computerSystem = computerSystem(table, modules);
    facts.memoryArrays = memoryArrays(table);
    facts.modules = memoryModules(modules);
    facts.processors = processors(table);
    if (const auto bios = ofType(table, f::bios::kType); !bios.empty()) {
        facts.bios = BiosFacts{.manufacturer = text(*bios.front(), f::bios::kVendor),
                               .version = text(*bios.front(), f::bios::kVersion)};
    }
    if (const auto systems = ofType(table, f::system::kType); !systems.empty()) {
        const Structure& system = *systems.front();
        facts.product =
            ComputerSystemProductFacts{.identifyingNumber = text(system, f::system::kSerialNumber),
                                       .vendor = text(system, f::system::kManufacturer),
                                       .version = text(system, f::system::kVersion)};
    }
    for (const Structure* board : ofType(table, f::board::kType)) {
        facts.baseboards.push_back({.manufacturer = text(*board, f::board::kManufacturer),
                                    .product = text(*board, f::board::kProduct)});
    }
    return facts;
}

ManagementTable classesFromTable(const Table& table) { return classTable(factsFromTable(table)); }

}  // namespace kestrel::smbios
