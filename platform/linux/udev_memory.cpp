#include "platform/linux/udev_memory.h"

#include <algorithm>
#include <limits>
#include <map>
#include <sstream>

#include "inventory/text_helpers.h"
#include "platform/smbios/manufacturer_id.h"
#include "platform/smbios/memory_type.h"

namespace kestrel::linux_machine {
namespace {

// A count, size or speed: a whole number, not negative. Anything else is unknown, and said so.
std::optional<std::int64_t> amount(std::string_view key, const std::string& value,
                                   std::vector<std::string>& notices) {
    const auto number = parseWholeNumber(value);
    if (number && *number >= 0) return number;
    notices.push_back("the udev database's MEMORY_" + std::string(key) + " is " +
                      quoteValue(value) + ", not a count or size; it is taken as unknown");
    return std::nullopt;
}

std::optional<std::uint8_t> typeCode(const UdevMemoryDevice& device) {
    return device.type ? smbios::memoryTypeFromName(*device.type) : std::nullopt;
}

bool isNonVolatile(const UdevMemoryDevice& device) {
    const auto code = typeCode(device);
    return code && *code >= 0x08 && *code <= 0x0C;  // ROM, Flash, EEPROM, FEPROM, EPROM
}

// "DEVICE_12_SIZE" -> index 12, field "SIZE".
bool splitDeviceKey(std::string_view key, int& index, std::string& field) {
    const auto underscore = key.find('_');
    if (underscore == std::string_view::npos) return false;
    const auto number = parseInteger(key.substr(0, underscore));
    if (!number || *number < 0 || *number > std::numeric_limits<int>::max()) return false;
    index = static_cast<int>(*number);
    field = std::string(key.substr(underscore + 1));
    return true;
}

}  // namespace

std::optional<UdevMemory> UdevMemory::parse(const std::string& database) {
    UdevMemory memory;
    std::map<int, UdevMemoryDevice> devices;
    bool any = false;
    std::istringstream lines(database);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.starts_with("E:MEMORY_")) continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string_view key = std::string_view(line).substr(9, equals - 9);
        const std::string value = line.substr(equals + 1);
        if (key == "ARRAY_MAX_CAPACITY") {
            memory.arrayMaxCapacityBytes = amount(key, value, memory.notices);
            any = true;
        } else if (key == "ARRAY_NUM_DEVICES") {
            memory.arrayDeviceCount = amount(key, value, memory.notices);
            any = true;
        } else if (key.starts_with("DEVICE_")) {
            int index = 0;
            std::string field;
            if (!splitDeviceKey(key.substr(7), index, field)) continue;
            any = true;
            UdevMemoryDevice& device = devices[index];
            device.index = index;
            if (field == "PRESENT")
                device.present = value != "0";
            else if (field == "SIZE")
                device.sizeBytes = amount(key, value, memory.notices);
            else if (field == "TYPE")
                device.type = value;
            else if (field == "SPEED_MTS")
                device.speedMts = amount(key, value, memory.notices);
            else if (field == "LOCATOR")
                device.locator = value;
            else if (field == "MANUFACTURER")
                device.manufacturer = value;
            else if (field == "MODULE_MANUFACTURER_ID")
                device.manufacturerId = smbios::manufacturerIdFromBank(value);
        }
    }
    if (!any) return std::nullopt;
    for (auto& [index, device] : devices) memory.devices.push_back(std::move(device));
    return memory;
}

std::vector<MemoryArrayFacts> UdevMemory::arrays() const {
    if (!arrayMaxCapacityBytes && !arrayDeviceCount) return {};
    MemoryArrayFacts array;
    if (arrayDeviceCount) {
        // Both sides are counts, so the difference cannot overflow; it only must not go below 0.
        const auto nonVolatile = std::count_if(devices.begin(), devices.end(), isNonVolatile);
        array.memoryDevices = std::max<std::int64_t>(0, *arrayDeviceCount - nonVolatile);
    }
    if (arrayMaxCapacityBytes) array.maxCapacityKiB = *arrayMaxCapacityBytes / 1024;
    return {array};
}

std::vector<MemoryModuleFacts> UdevMemory::modules() const {
    std::vector<MemoryModuleFacts> result;
    for (const auto& device : devices) {
        if (!device.present || isNonVolatile(device)) continue;
        const auto code = typeCode(device);
        const bool knownSpeed = device.speedMts && *device.speedMts > 0;
        result.push_back(
            {.capacityBytes = device.sizeBytes,
             .memoryType = code ? std::optional(smbios::cimMemoryType(*code)) : std::nullopt,
             .speedMts = knownSpeed ? device.speedMts : std::nullopt,
             .deviceLocator = firmwareTextIfAny(device.locator),
             .manufacturer = firmwareTextIfAny(device.manufacturer),
             .manufacturerId = device.manufacturerId});
    }
    return result;
}

}  // namespace kestrel::linux_machine
