#include "expected_classes.h"

#include <map>
#include <set>
#include <stdexcept>

namespace kestrel::smbios::test {
namespace {

const char* const kClasses[] = {"Win32_ComputerSystem", "Win32_PhysicalMemoryArray",
                                "Win32_PhysicalMemory", "Win32_Processor",
                                "Win32_Bios",           "Win32_ComputerSystemProduct",
                                "Win32_Baseboard"};

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// A string field as dmidecode shows it; absent lines stay Null.
InventoryValue text(const DmidecodeRecord& record, const std::string& key) {
    const auto value = record.value(key);
    return value ? InventoryValue(trimmed(*value)) : InventoryValue::null();
}

InventoryValue number(std::optional<std::int64_t> value) {
    return value ? InventoryValue(*value) : InventoryValue::null();
}

std::string need(const DmidecodeRecord& record, const std::string& key) {
    auto value = record.value(key);
    if (!value) throw std::runtime_error("dmidecode printed no \"" + key + "\" line");
    return *value;
}

std::uint16_t arrayHandle(const DmidecodeRecord& device) {
    return static_cast<std::uint16_t>(std::stoul(need(device, "Array Handle"), nullptr, 16));
}

// The MemoryType values for dmidecode's type names, written out independently of the code.
InventoryValue memoryType(const std::string& name) {
    static const std::map<std::string, std::int64_t> kCim{
        {"Other", 1}, {"Unknown", 0}, {"DRAM", 2},    {"SDRAM", 17}, {"RAM", 9},
        {"ROM", 10},  {"Flash", 11},  {"DDR", 20},    {"DDR2", 21},  {"DDR3", 24},
        {"DDR4", 26}, {"LPDDR3", 29}, {"LPDDR4", 30}, {"DDR5", 34},  {"LPDDR5", 35}};
    const auto found = kCim.find(name);
    if (found == kCim.end()) throw std::runtime_error("no expected MemoryType for " + name);
    return InventoryValue(found->second);
}

// dmidecode prints string index 0 as "Not Specified" and a bad index as "<BAD INDEX>"; every
// byte outside printable ASCII becomes '.'.
bool sameAsDmidecode(const InventoryValue& actual, const InventoryValue& expected) {
    const auto* shown = std::get_if<std::string>(&expected.storage());
    if (!shown) return actual == expected;
    if (actual.isNull()) return *shown == "Not Specified" || *shown == "<BAD INDEX>";
    const auto* firmware = std::get_if<std::string>(&actual.storage());
    if (!firmware) return false;
    std::string dotted = *firmware;
    for (char& c : dotted) {
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127) c = '.';
    }
    return dotted == *shown;
}

}  // namespace

ManagementTable classesFromDmidecode(const std::vector<DmidecodeRecord>& records) {
    std::set<std::uint16_t> systemArrays;
    std::map<std::uint16_t, std::int64_t> devicesPerArray;
    for (const auto& r : records) {
        if (r.type == 16 && r.value("Use") == "System Memory") systemArrays.insert(r.handle);
        if (r.type == 17) {
            ++devicesPerArray[arrayHandle(r)];
        }
    }

    ManagementTable classes;
    bool is64Bit = false;
    std::int64_t total = 0;
    bool anySize = false;
    const DmidecodeRecord* system = nullptr;
    const DmidecodeRecord* bios = nullptr;
    for (const auto& r : records) {
        if (r.type == 0 && !bios) bios = &r;
        if (r.type == 1 && !system) system = &r;
        if (r.type == 2) {
            classes.add("Win32_Baseboard", {{"Manufacturer", text(r, "Manufacturer")},
                                            {"Product", text(r, "Product Name")}});
        }
        if (r.type == 4 && need(r, "Status").starts_with("Populated")) {
            is64Bit = is64Bit || r.listHas("Characteristics", "64-bit capable");
            classes.add("Win32_Processor",
                        {{"Name", text(r, "Version")},
                         {"Manufacturer", text(r, "Manufacturer")},
                         {"CurrentClockSpeed", number(dmidecodeNumber(need(r, "Current Speed")))},
                         {"ExtClock", number(dmidecodeNumber(need(r, "External Clock")))}});
        }
        if (r.type == 16 && systemArrays.contains(r.handle)) {
            const auto bytes = dmidecodeSize(need(r, "Maximum Capacity"));
            classes.add(
                "Win32_PhysicalMemoryArray",
                {{"MaxCapacity", number(bytes ? std::optional(*bytes / 1024) : std::nullopt)},
                 {"MemoryDevices", std::max<std::int64_t>(std::stoll(need(r, "Number Of Devices")),
                                                          devicesPerArray[r.handle])}});
        }
        if (r.type == 17 && systemArrays.contains(arrayHandle(r))) {
            const std::string size = need(r, "Size");
            if (size == "No Module Installed") continue;
            const auto bytes = dmidecodeSize(size);
            if (bytes) {
                total += *bytes;
                anySize = true;
            }
            classes.add("Win32_PhysicalMemory",
                        {{"Capacity", number(bytes)},
                         {"MemoryType", memoryType(need(r, "Type"))},
                         {"Speed", number(dmidecodeNumber(need(r, "Speed")))},
                         {"DeviceLocator", text(r, "Locator")},
                         {"Manufacturer", text(r, "Manufacturer")}});
        }
    }
    classes.add(
        "Win32_ComputerSystem",
        {{"Manufacturer", system ? text(*system, "Manufacturer") : InventoryValue::null()},
         {"Model", system ? text(*system, "Product Name") : InventoryValue::null()},
         {"SystemType", is64Bit ? "x64-based PC" : "X86-based PC"},
         {"TotalPhysicalMemory", anySize ? InventoryValue(total) : InventoryValue::null()}});
    if (bios) {
        classes.add("Win32_Bios", {{"Manufacturer", text(*bios, "Vendor")},
                                   {"SMBIOSBIOSVersion", text(*bios, "Version")}});
    }
    if (system) {
        classes.add("Win32_ComputerSystemProduct",
                    {{"IdentifyingNumber", text(*system, "Serial Number")},
                     {"Vendor", text(*system, "Manufacturer")},
                     {"Version", text(*system, "Version")}});
    }
    return classes;
}

std::vector<std::string> differences(const ManagementTable& actual,
                                     const ManagementTable& expected) {
    std::vector<std::string> found;
    for (const char* name : kClasses) {
        const auto& ours = actual.objects(name);
        const auto& theirs = expected.objects(name);
        if (ours.size() != theirs.size()) {
            found.push_back(std::string(name) + ": " + std::to_string(ours.size()) +
                            " objects, dmidecode implies " + std::to_string(theirs.size()));
            continue;
        }
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const std::string where = std::string(name) + "[" + std::to_string(i) + "].";
            if (ours[i].size() != theirs[i].size()) {
                found.push_back(where + ": " + std::to_string(ours[i].size()) +
                                " properties, expected " + std::to_string(theirs[i].size()));
            }
            for (const auto& [property, value] : theirs[i]) {
                const auto mine = ours[i].find(property);
                if (mine == ours[i].end()) {
                    found.push_back(where + property + " is missing");
                } else if (!sameAsDmidecode(mine->second, value)) {
                    found.push_back(where + property + " = " + describe(mine->second) +
                                    ", dmidecode shows " + describe(value));
                }
            }
        }
    }
    return found;
}

}  // namespace kestrel::smbios::test
