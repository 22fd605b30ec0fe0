#include "inventory/management/machine_facts.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "inventory/management/schema.h"

namespace kestrel {
namespace {

using Fact = std::pair<std::string_view, std::optional<InventoryValue>>;

template <class T>
std::optional<InventoryValue> known(const std::optional<T>& fact) {
    return fact ? std::optional(InventoryValue(*fact)) : std::nullopt;
}

// The facts that are known; the table adds the rest of the class's set as Null.
PropertyMap knownOnly(std::initializer_list<Fact> facts) {
    PropertyMap object;
    for (const auto& [name, value] : facts) {
        if (value) object.emplace(name, *value);
    }
    return object;
}

void dropIfImpossible(std::optional<std::int64_t>& fact,
                      const schema::ManagementClass& managementClass, std::string_view property,
                      std::vector<std::string>& notices) {
    const std::uint64_t largest = largestUnsigned(schema::declaredBits(property));
    if (!fact || (*fact >= 0 && static_cast<std::uint64_t>(*fact) <= largest)) return;
    notices.push_back(std::string(managementClass.name) + "." + std::string(property) +
                      " would be " + std::to_string(*fact) + ", not a whole number from 0 to " +
                      std::to_string(largest) + "; it is taken as unknown");
    fact.reset();
}

// Each size, speed, count or code past the unsigned type the instrumentation declares for its
// property becomes unknown, with a line in notices naming the property.
void dropImpossibleNumbers(MachineFacts& facts, std::vector<std::string>& notices) {
    dropIfImpossible(facts.computerSystem.totalPhysicalMemoryBytes, schema::kComputerSystem,
                     schema::kTotalPhysicalMemory, notices);
    for (auto& array : facts.memoryArrays) {
        dropIfImpossible(array.maxCapacityKiB, schema::kPhysicalMemoryArray, schema::kMaxCapacity,
                         notices);
        dropIfImpossible(array.memoryDevices, schema::kPhysicalMemoryArray, schema::kMemoryDevices,
                         notices);
    }
    for (auto& module : facts.modules) {
        dropIfImpossible(module.capacityBytes, schema::kPhysicalMemory, schema::kCapacity, notices);
        dropIfImpossible(module.memoryType, schema::kPhysicalMemory, schema::kMemoryType, notices);
        dropIfImpossible(module.speedMts, schema::kPhysicalMemory, schema::kSpeed, notices);
    }
    for (auto& processor : facts.processors) {
        dropIfImpossible(processor.currentClockSpeedMHz, schema::kProcessor,
                         schema::kCurrentClockSpeed, notices);
        dropIfImpossible(processor.extClockMHz, schema::kProcessor, schema::kExtClock, notices);
    }
}

}  // namespace

ManagementTable classTable(const MachineFacts& facts) {
    ManagementTable table;
    const ComputerSystemFacts& system = facts.computerSystem;
    table.add(schema::kComputerSystem,
              knownOnly({{schema::kManufacturer, known(system.manufacturer)},
                         {schema::kModel, known(system.model)},
                         {schema::kSystemType, InventoryValue(system.systemType)},
                         {schema::kTotalPhysicalMemory, known(system.totalPhysicalMemoryBytes)}}));
    for (const auto& array : facts.memoryArrays) {
        table.add(schema::kPhysicalMemoryArray,
                  knownOnly({{schema::kMaxCapacity, known(array.maxCapacityKiB)},
                             {schema::kMemoryDevices, known(array.memoryDevices)}}));
    }
    for (const auto& module : facts.modules) {
        table.add(schema::kPhysicalMemory,
                  knownOnly({{schema::kCapacity, known(module.capacityBytes)},
                             {schema::kMemoryType, known(module.memoryType)},
                             {schema::kSpeed, known(module.speedMts)},
                             {schema::kDeviceLocator, known(module.deviceLocator)},
                             {schema::kManufacturer, known(module.manufacturer)},
                             {schema::kModuleManufacturerId, known(module.manufacturerId)}}));
    }
    for (const auto& processor : facts.processors) {
        table.add(schema::kProcessor,
                  knownOnly({{schema::kName, known(processor.name)},
                             {schema::kManufacturer, known(processor.manufacturer)},
                             {schema::kCurrentClockSpeed, known(processor.currentClockSpeedMHz)},
                             {schema::kExtClock, known(processor.extClockMHz)}}));
    }
    if (const auto& bios = facts.bios) {
        table.add(schema::kBios, knownOnly({{schema::kManufacturer, known(bios->manufacturer)},
                                            {schema::kSmbiosBiosVersion, known(bios->version)}}));
    }
    if (const auto& product = facts.product) {
        table.add(schema::kComputerSystemProduct,
                  knownOnly({{schema::kIdentifyingNumber, known(product->identifyingNumber)},
                             {schema::kVendor, known(product->vendor)},
                             {schema::kVersion, known(product->version)}}));
    }
    for (const auto& board : facts.baseboards) {
        table.add(schema::kBaseboard, knownOnly({{schema::kManufacturer, known(board.manufacturer)},
                                                 {schema::kProduct, known(board.product)}}));
    }
    return table;
}

ManagementTable classTable(MachineFacts facts, std::vector<std::string>& notices) {
    dropImpossibleNumbers(facts, notices);
    return classTable(facts);
}

}  // namespace kestrel
