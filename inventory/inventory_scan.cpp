#include "inventory/inventory_scan.h"

#include <cmath>
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

// A number that number() has already checked against its declared width, as a type of that
// width.
template <class Whole>
std::optional<Whole> checkedNumber(const InventoryValue& value) {
    const auto number = requireUnsigned(value, std::numeric_limits<Whole>::digits);
    return number ? std::optional<Whole>(static_cast<Whole>(*number)) : std::nullopt;
}

}  // namespace

InventoryValue InventoryScan::number(const ManagementObject& object, std::string_view className,
                                     std::string_view property) const {
    InventoryValue value = object.property(property);
    try {
        requireUnsigned(value, schema::declaredBits(property));
    } catch (const Error& e) {
        failOn(className, property, value, e.what());
    }
    return value;
}

std::string InventoryScan::rowText(const InventoryValue& value) const {
    return blankControls(format_.text(value));
}

void InventoryScan::readComputerSystem() {
    const auto& cls = schema::kComputerSystem;
    forEach(cls, [&](const ManagementObject& o) {
        inv_.systemManufacturer = o.property(schema::kManufacturer);
        inv_.systemModel = o.property(schema::kModel);
        const InventoryValue bytes = number(o, cls.name, schema::kTotalPhysicalMemory);
        const InventoryValue megabytes = divide(bytes, unit_ * unit_);
        if (!megabytes.isNull()) {
            inv_.installedMemoryMB = toDouble(megabytes);
            inv_.installedMemoryGB = roundToCents(inv_.installedMemoryMB / unit_);
            inv_.installedMemoryBytes = checkedNumber<std::uint64_t>(bytes);
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
    double megabytes = 0;
    std::uint64_t kilobytes = 0;  // each array's within 32 bits, so the sum stays within 64
    std::int64_t slots = 0;
    const auto& cls = schema::kPhysicalMemoryArray;
    forEach(cls, [&](const ManagementObject& o) {
        anyArray = true;
        const InventoryValue maxCapacity = number(o, cls.name, schema::kMaxCapacity);
        const InventoryValue capacity = divide(maxCapacity, unit_);
        if (!capacity.isNull()) {
            anyCapacity = true;
            megabytes += toDouble(capacity);
            kilobytes += checkedNumber<std::uint32_t>(maxCapacity).value_or(0);
        }
        // A count within 16 bits, so the sum over any number of arrays stays far within 64.
        const InventoryValue devices = number(o, cls.name, schema::kMemoryDevices);
        if (!devices.isNull()) {
            anySlotCount = true;
            slots += static_cast<std::int64_t>(toDouble(devices));
        }
    });
    if (anyCapacity) {
        inv_.maximumMemoryMB = megabytes;
        inv_.maximumMemoryGB = roundToCents(megabytes / unit_);
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
        const InventoryValue bytes = number(o, cls.name, schema::kCapacity);
        const InventoryValue size = divide(bytes, unit_ * unit_);
        format_.append(inv_.moduleCapacities, size, " MB,");
        const InventoryValue type = number(o, cls.name, schema::kMemoryType);
        format_.append(inv_.moduleMemoryTypes, type, ",");
        const InventoryValue speed = number(o, cls.name, schema::kSpeed);
        format_.append(inv_.moduleSpeeds, speed, " MHz,");
        const InventoryValue locator = o.property(schema::kDeviceLocator);
        format_.append(inv_.moduleLocators, locator, ",");
        // The maker is Kestrel's addition to the module query: an object without it is no error.
        const InventoryValue manufacturer =
            o.find(schema::kManufacturer).value_or(InventoryValue::null());
        format_.append(inv_.moduleManufacturers, manufacturer, ",");
        auto maker = makerOf(manufacturer, o.find(schema::kModuleManufacturerId));
        if (maker) makers.add(*maker);
        inv_.modules.push_back(
            {locator, checkedNumber<std::uint64_t>(bytes), checkedNumber<std::uint16_t>(type),
             checkedNumber<std::uint32_t>(speed), manufacturer, std::move(maker)});
        inv_.moduleRows.push_back({rowText(locator), rowText(format_.join(size, " MB")),
                                   rowText(format_.join(speed, " MHz"))});
        if (inv_.moduleCount == std::numeric_limits<std::int16_t>::max()) {
            throw Error("overflow: more than 32767 memory modules");
        }
        ++inv_.moduleCount;
    });
    inv_.memoryMakers = makers.text();
}

std::optional<std::string> InventoryScan::makerOf(const std::optional<InventoryValue>& manufacturer,
                                                  const std::optional<InventoryValue>& id) const {
    const auto text = [&](const std::optional<InventoryValue>& v) {
        return v ? format_.text(*v) : std::string();
    };
    const std::string idText = text(id);
    return moduleMakerName(text(manufacturer),
                           idText.empty() ? std::nullopt : std::optional<std::string_view>(idText));
}

void InventoryScan::readProcessor() {
    const auto& cls = schema::kProcessor;
    forEach(cls, [&](const ManagementObject& o) {
        inv_.processorName = o.property(schema::kName);
        inv_.processorManufacturer = o.property(schema::kManufacturer);
        inv_.processorClockSpeed = number(o, cls.name, schema::kCurrentClockSpeed);
        inv_.processorExtClock = number(o, cls.name, schema::kExtClock);
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
    inv_.selectorUrl = buildSelectorUrl(inv_, format_, site_);
}

}  // namespace kestrel
