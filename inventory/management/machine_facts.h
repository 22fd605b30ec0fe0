#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/management/management_table.h"

namespace kestrel {

// The facts of the scan's classes as typed records, one record per object, for the providers
// that gather them from several sources (the SMBIOS table, the OS, udev) and merge them as values
// before anything turns into a property name. Texts are UTF-8; nullopt is a fact the sources do
// not know, and shows as Null.

struct ComputerSystemFacts {
    std::optional<std::string> manufacturer;
    std::optional<std::string> model;
    std::string systemType;  // "x64-based PC", ...
    std::optional<std::int64_t> totalPhysicalMemoryBytes;
};

struct MemoryArrayFacts {
    std::optional<std::int64_t> maxCapacityKiB;
    std::optional<std::int64_t> memoryDevices;  // slots
};

struct MemoryModuleFacts {
    std::optional<std::int64_t> capacityBytes;
    std::optional<std::int64_t> memoryType;  // the CIM code
    std::optional<std::int64_t> speedMts;
    std::optional<std::string> deviceLocator;
    std::optional<std::string> manufacturer;
    // JEP106, "80CE", or the source's own text for a code no maker we know holds ("Bank 128,
    // Hex 0xCE"); left out when unknown.
    std::optional<std::string> manufacturerId;
};

struct ProcessorFacts {
    std::optional<std::string> name;
    std::optional<std::string> manufacturer;
    std::optional<std::int64_t> currentClockSpeedMHz;
    std::optional<std::int64_t> extClockMHz;
};

struct BiosFacts {
    std::optional<std::string> manufacturer;
    std::optional<std::string> version;
};

struct ComputerSystemProductFacts {
    std::optional<std::string> identifyingNumber;
    std::optional<std::string> vendor;
    std::optional<std::string> version;
};

struct BaseboardFacts {
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
};

// One machine: one computer system; a BIOS and a product where a source names them.
struct MachineFacts {
    ComputerSystemFacts computerSystem;
    std::vector<MemoryArrayFacts> memoryArrays;
    std::vector<MemoryModuleFacts> modules;
    std::vector<ProcessorFacts> processors;
    std::optional<BiosFacts> bios;
    std::optional<ComputerSystemProductFacts> product;
    std::vector<BaseboardFacts> baseboards;
};

// The class table the scan queries, every object in its class's order.
ManagementTable classTable(const MachineFacts& facts);

// The same for facts read from a source beside the instrumentation (a machine's own files, a
// dump): each size, speed, count or code past the unsigned type the instrumentation declares for
// its property becomes unknown first, with a line in notices naming the property. The scan would
// refuse it, and a source that holds one is damaged rather than the machine unknowable.
ManagementTable classTable(MachineFacts facts, std::vector<std::string>& notices);

}  // namespace kestrel
