#include "inventory/inventory_scan.h"

#include <limits>

#include "inventory/error.h"
#include "inventory/management/schema.h"
#include "inventory/memory_maker.h"
#include "inventory/memory_text.h"
#include "inventory/report.h"
#include "inventory/text_helpers.h"

namespace kestrel {

InventoryScan::InventoryScan(ManagementService& service, ValueFormat format, SelectorSite site)
    : service_(service), format_(std::move(format)), site_(std::move(site)) {}

SystemInventory InventoryScan::run() {
    inv_ = SystemInventory();
    inv_.format = format_;
    unit_ = 1024;
    service_.connect(localCimv2Moniker());
    readComputerSystem();
    readMemoryArrays();
    readModules();
    readProcessor();
    readBios();
    readProduct();
    readBaseboard();
    replacePlaceholders();
    writeMemoryTexts();
    finish();
    return std::move(inv_);
}

template <class Body>
void InventoryScan::forEach(const schema::ManagementClass& managementClass, Body body) {
    const auto results = service_.execQuery("Select * from " + std::string(managementClass.name));
    while (const auto object = results->next()) body(*object);
}

namespace {

[[noreturn]] void failOn(std::string_view className, std::string_view property,
                         const InventoryValue& value, const std::string& why) {
    throw Error(std::string(className) + "." + std::string(property) + " = " + describe(value) +
                ": " + why);
}

// A whole number that number() has checked against its declared width, in a type of that width.
template <class Whole>
std::optional<Whole> narrowed(std::optional<std::uint64_t> whole) {
    return whole ? std::optional<Whole>(static_cast<Whole>(*whole)) : std::nullopt;
}

}  // namespace

InventoryScan::Number InventoryScan::number(const ManagementObject& object,
                                            std::string_view className,
                                            std::string_view property) const {
    InventoryValue value = object.property(property);
    std::optional<std::uint64_t> whole;
    try {
        whole = requireUnsigned(value, schema::declaredBits(property));
    } catch (const Error& e) {
        failOn(className, property, value, e.what());
    }
    return {std::move(value), whole};
}

std::string InventoryScan::rowText(const InventoryValue& value) const {
    return blankControls(format_.text(value));
}

void InventoryScan::readComputerSystem() {
    const auto& cls = schema::kComputerSystem;
    forEach(cls, [&](const ManagementObject& o) {
        inv_.systemManufacturer = o.property(schema::kManufacturer);
        inv_.systemModel = o.property(schema::kModel);
        const Number bytes = number(o, cls.name, schema::kTotalPhysicalMemory);
        const InventoryValue megabytes = divide(bytes.value, unit_ * unit_);
        if (!megabytes.isNull()) {
            inv_.installedMemoryMB = toDouble(megabytes);
            inv_.installedMemoryGB = roundToCents(inv_.installedMemoryMB / unit_);
            inv_.installedMemoryBytes = bytes.whole;
        }
        inv_.systemType = o.property(schema::kSystemType);
    });
}

void InventoryScan::readMemoryArrays() {
    // A machine with one array per processor socket has as many slots and as much room as
    // all its arrays together.
    bool anyArray = false;
    bool anyCapacity = false;
    bool anySlotCount = false;
    std::uint64_t kilobytes = 0;  // each array's within 32 bits, so the sum stays within 64
    std::int64_t slots = 0;
    const auto& cls = schema::kPhysicalMemoryArray;
    // Empty counts as 0, as everywhere in the scan; Null is no figure at all.
    forEach(cls, [&](const ManagementObject& o) {
        anyArray = true;
        const Number maxCapacity = number(o, cls.name, schema::kMaxCapacity);
        if (!maxCapacity.value.isNull()) {
            anyCapacity = true;
            kilobytes += maxCapacity.whole.value_or(0);
        }
        // A count within 16 bits, so the sum over any number of arrays stays far within 64.
        const Number devices = number(o, cls.name, schema::kMemoryDevices);
        if (!devices.value.isNull()) {
            anySlotCount = true;
            slots += static_cast<std::int64_t>(devices.whole.value_or(0));
        }
    });
    if (anyCapacity) {
        // Exact: a sum of kilobytes within 64 bits is a double's whole number, a 1024th of it too.
        inv_.maximumMemoryMB = static_cast<double>(kilobytes) / unit_;
        inv_.maximumMemoryGB = roundToCents(inv_.maximumMemoryMB / unit_);
        inv_.maximumMemoryBytes = kilobytes * 1024;
    }
    if (anySlotCount) {
        inv_.memorySlots = InventoryValue(slots);
    } else if (anyArray) {
        inv_.memorySlots = InventoryValue::null();
    }
}

void InventoryScan::readModules() {
    MemoryMakers makers;
    const auto& cls = schema::kPhysicalMemory;
    forEach(cls, [&](const ManagementObject& o) {
        const Number bytes = number(o, cls.name, schema::kCapacity);
        const InventoryValue size = divide(bytes.value, unit_ * unit_);
        format_.append(inv_.moduleCapacities, size, " MB,");
        const Number type = number(o, cls.name, schema::kMemoryType);
        format_.append(inv_.moduleMemoryTypes, type.value, ",");
        const Number speed = number(o, cls.name, schema::kSpeed);
        format_.append(inv_.moduleSpeeds, speed.value, " MHz,");
        const InventoryValue locator = o.property(schema::kDeviceLocator);
        format_.append(inv_.moduleLocators, locator, ",");
        // The maker is Kestrel's addition to the module query: an object without it is no error.
        const InventoryValue manufacturer =
            o.find(schema::kManufacturer).value_or(InventoryValue::null());
        format_.append(inv_.moduleManufacturers, manufacturer, ",");
        auto maker = makerOf(manufacturer, o.find(schema::kModuleManufacturerId));
        if (maker) makers.add(*maker);
        inv_.modules.push_back({locator, bytes.whole, narrowed<std::uint16_t>(type.whole),
                                narrowed<std::uint32_t>(speed.whole), manufacturer,
                                std::move(maker)});
        inv_.moduleRows.push_back({rowText(locator), rowText(format_.join(size, " MB")),
                                   rowText(format_.join(speed.value, " MHz"))});
        if (inv_.moduleCount == std::numeric_limits<std::int16_t>::max()) {
            throw Error("overflow: more than 32767 memory modules");
        }
        ++inv_.moduleCount;
    });
    inv_.memoryMakers = makers.text();
}

std::optional<std::string> InventoryScan::makerOf(const InventoryValue& manufacturer,
                                                  const std::optional<InventoryValue>& id) const {
    const std::string idText = id ? format_.text(*id) : std::string();
    return moduleMakerName(format_.text(manufacturer),
                           idText.empty() ? std::nullopt : std::optional<std::string_view>(idText));
}

void InventoryScan::readProcessor() {
    const auto& cls = schema::kProcessor;
    forEach(cls, [&](const ManagementObject& o) {
        inv_.processorName = o.property(schema::kName);
        inv_.processorManufacturer = o.property(schema::kManufacturer);
        inv_.processorClockSpeed = number(o, cls.name, schema::kCurrentClockSpeed).value;
        inv_.processorExtClock = number(o, cls.name, schema::kExtClock).value;
    });
}

void InventoryScan::readBios() {
    forEach(schema::kBios, [&](const ManagementObject& o) {
        inv_.biosManufacturer = o.property(schema::kManufacturer);
        inv_.biosVersion = o.property(schema::kSmbiosBiosVersion);
    });
}

void InventoryScan::readProduct() {
    forEach(schema::kComputerSystemProduct, [&](const ManagementObject& o) {
        inv_.productIdentifyingNumber = o.property(schema::kIdentifyingNumber);
        inv_.productVendor = o.property(schema::kVendor);
        inv_.productVersion = o.property(schema::kVersion);
    });
}

void InventoryScan::readBaseboard() {
    forEach(schema::kBaseboard, [&](const ManagementObject& o) {
        inv_.boardManufacturer = o.property(schema::kManufacturer);
        inv_.boardProduct = o.property(schema::kProduct);
    });
}

void InventoryScan::replacePlaceholders() {
    // Firmware that was never filled in says "System manufacturer", "System Product Name"...
    for (InventoryValue* field : {&inv_.systemManufacturer, &inv_.productVersion, &inv_.systemModel,
                                  &inv_.productVendor, &inv_.productIdentifyingNumber}) {
        if (contains(*field, "System")) *field = InventoryValue("Not Available");
    }
}

void InventoryScan::writeMemoryTexts() {
    inv_.installedMemoryText = memoryText(inv_.installedMemoryGB, inv_.installedMemoryMB, format_);
    inv_.maximumMemoryText = memoryText(inv_.maximumMemoryGB, inv_.maximumMemoryMB, format_);
    inv_.slotSummaryText = blankControls(format_.text(
        format_.join(format_.join(format_.join(inv_.memorySlots, "  (Currently Memory in "),
                                  InventoryValue(std::int64_t{inv_.moduleCount})),
                     " Slots)")));
}

void InventoryScan::finish() {
    inv_.reportText = buildReport(inv_);
    inv_.selectorUrl = buildSelectorUrl(inv_, site_);
}

}  // namespace kestrel
