#include "dmidecode_decoding.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "inventory/management/schema.h"
#include "process_runner.h"

namespace kestrel::smbios::test {
namespace {

// One "Handle 0x...., DMI type N, L bytes" block: "\tKey: value" lines, and "\tKey:" lines
// followed by "\t\titem" lines.
struct Record {
    unsigned handle = 0;
    int type = 0;
    std::map<std::string, std::string> values;
    std::map<std::string, std::vector<std::string>> lists;

    std::string at(const std::string& key) const {
        const auto found = values.find(key);
        if (found == values.end()) throw std::runtime_error("dmidecode printed no " + key);
        return found->second;
    }
    InventoryValue text(const std::string& key) const {
        std::string value = at(key);
        value.erase(value.find_last_not_of(' ') + 1);
        return value;
    }
    unsigned arrayHandle() const {
        return static_cast<unsigned>(std::stoul(at("Array Handle"), nullptr, 16));
    }
};

std::vector<Record> parse(std::string_view text) {
    std::vector<Record> records;
    std::istringstream lines{std::string(text)};
    std::string line, listKey;
    while (std::getline(lines, line)) {
        Record record;
        if (std::sscanf(line.c_str(), "Handle 0x%x, DMI type %d,", &record.handle, &record.type) ==
            2) {
            records.push_back(record);
        } else if (records.empty() || !line.starts_with('\t')) {
            continue;
        } else if (line.starts_with("\t\t")) {
            records.back().lists[listKey].push_back(line.substr(2));
        } else if (const auto colon = line.find(": "); colon != std::string::npos) {
            records.back().values[line.substr(1, colon - 1)] = line.substr(colon + 2);
        } else {
            listKey = line.substr(1, line.size() - 2);
        }
    }
    return records;
}

// "2133 MT/s" -> 2133; Null for "Unknown".
InventoryValue number(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? InventoryValue(value) : InventoryValue::null();
}

// "8 GB" -> 8 GiB in the given unit (bytes, kilobytes); Null for "Unknown".
InventoryValue size(const std::string& text, std::int64_t unit) {
    static const std::vector<std::string> kUnits{" bytes", " kB", " MB", " GB", " TB"};
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) return InventoryValue::null();
    const auto suffix = std::find(kUnits.begin(), kUnits.end(), std::string(end));
    if (suffix == kUnits.end()) throw std::runtime_error("unknown size: " + text);
    for (auto u = kUnits.begin(); u != suffix; ++u) value *= 1024;
    return value / unit;
}

// MemoryType for dmidecode's type names, written out apart from the code under test.
InventoryValue memoryType(const std::string& name) {
    static const std::map<std::string, std::int64_t> kCim{
        {"Other", 1}, {"Unknown", 0}, {"DRAM", 2},  {"RAM", 9},     {"Flash", 11},
        {"DDR2", 21}, {"DDR3", 24},   {"DDR4", 26}, {"LPDDR4", 30}, {"DDR5", 34}};
    return kCim.at(name);
}

const std::string kModuleManufacturerId = "Module Manufacturer ID";

// Our "859B" as dmidecode shows it, "Bank 6, Hex 0x9B": the bank is one more than the
// continuation count, whose parity bit dmidecode drops.
InventoryValue asDmidecodeShowsId(const InventoryValue& ours) {
    const auto* text = std::get_if<std::string>(&ours.storage());
    unsigned count = 0, code = 0;
    if (!text || text->size() != 4 || std::sscanf(text->c_str(), "%2x%2x", &count, &code) != 2) {
        return ours;
    }
    char shown[32];
    std::snprintf(shown, sizeof shown, "Bank %u, Hex 0x%02X", (count & 0x7F) + 1, code);
    return std::string(shown);
}

bool sameAsShown(const InventoryValue& ours, const InventoryValue& shown) {
    const auto* text = std::get_if<std::string>(&shown.storage());
    if (!text) return ours == shown;
    if (ours.isNull()) return *text == "Not Specified";
    const auto* firmware = std::get_if<std::string>(&ours.storage());
    if (!firmware) return false;
    std::string dotted = *firmware;
    for (char& c : dotted) {
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127) c = '.';
    }
    return dotted == *text;
}

}  // namespace

ManagementTable classesFromDmidecode(std::string_view text) {
    const auto records = parse(text);
    std::set<unsigned> systemArrays;
    std::map<unsigned, std::int64_t> devices;
    for (const auto& r : records) {
        if (r.type == 16 && r.at("Use") == "System Memory") systemArrays.insert(r.handle);
        if (r.type == 17) ++devices[r.arrayHandle()];
    }
    ManagementTable classes;
    const Record* bios = nullptr;
    const Record* system = nullptr;
    bool is64Bit = false;
    std::int64_t total = 0;
    for (const auto& r : records) {
        if (r.type == 0 && !bios) bios = &r;
        if (r.type == 1 && !system) system = &r;
        if (r.type == 2) {
            classes.add("Win32_Baseboard", {{"Manufacturer", r.text("Manufacturer")},
                                            {"Product", r.text("Product Name")}});
        }
        if (r.type == 4 && r.at("Status").starts_with("Populated")) {
            const auto& characteristics = r.lists.find("Characteristics");
            is64Bit = is64Bit || (characteristics != r.lists.end() &&
                                  std::ranges::count(characteristics->second, "64-bit capable"));
            classes.add("Win32_Processor", {{"Name", r.text("Version")},
                                            {"Manufacturer", r.text("Manufacturer")},
                                            {"CurrentClockSpeed", number(r.at("Current Speed"))},
                                            {"ExtClock", number(r.at("External Clock"))}});
        }
        if (r.type == 16 && systemArrays.contains(r.handle)) {
            classes.add(
                "Win32_PhysicalMemoryArray",
                {{"MaxCapacity", size(r.at("Maximum Capacity"), 1024)},
                 {"MemoryDevices", std::max<std::int64_t>(std::stoll(r.at("Number Of Devices")),
                                                          devices[r.handle])}});
        }
        if (r.type == 17 && systemArrays.contains(r.arrayHandle()) &&
            r.at("Size") != "No Module Installed") {
            const InventoryValue bytes = size(r.at("Size"), 1);
            if (!bytes.isNull()) total += std::get<std::int64_t>(bytes.storage());
            PropertyMap module{{"Capacity", bytes},
                               {"MemoryType", memoryType(r.at("Type"))},
                               {"Speed", number(r.at("Speed"))},
                               {"DeviceLocator", r.text("Locator")},
                               {"Manufacturer", r.text("Manufacturer")}};
            // Records of 3.2 and later; dmidecode says "Unknown" where the firmware wrote 0.
            if (const auto id = r.values.find(kModuleManufacturerId);
                id != r.values.end() && id->second != "Unknown") {
                module.emplace(schema::kModuleManufacturerId, id->second);
            }
            classes.add("Win32_PhysicalMemory", std::move(module));
        }
    }
    if (!bios || !system) throw std::runtime_error("dmidecode shows no BIOS or no system");
    classes.add("Win32_ComputerSystem", {{"Manufacturer", system->text("Manufacturer")},
                                         {"Model", system->text("Product Name")},
                                         {"SystemType", is64Bit ? "x64-based PC" : "X86-based PC"},
                                         {"TotalPhysicalMemory", total}});
    classes.add("Win32_Bios", {{"Manufacturer", bios->text("Vendor")},
                               {"SMBIOSBIOSVersion", bios->text("Version")}});
    classes.add("Win32_ComputerSystemProduct",
                {{"IdentifyingNumber", system->text("Serial Number")},
                 {"Vendor", system->text("Manufacturer")},
                 {"Version", system->text("Version")}});
    return classes;
}

std::vector<std::string> differences(const ManagementTable& ours, const ManagementTable& theirs) {
    std::vector<std::string> found;
    for (const auto& [name, expected] : theirs.classes()) {
        const auto& actual = ours.objects(name);
        if (actual.size() != expected.size()) {
            found.push_back(name + ": " + std::to_string(actual.size()) + " objects, dmidecode " +
                            std::to_string(expected.size()));
            continue;
        }
        for (std::size_t i = 0; i < actual.size(); ++i) {
            if (actual[i].size() != expected[i].size())
                found.push_back(name + ": other properties");
            for (const auto& [property, value] : expected[i]) {
                const auto mine = actual[i].find(property);
                const bool same =
                    mine != actual[i].end() && sameAsShown(property == schema::kModuleManufacturerId
                                                               ? asDmidecodeShowsId(mine->second)
                                                               : mine->second,
                                                           value);
                if (!same) {
                    found.push_back(name + "[" + std::to_string(i) + "]." + property + " = " +
                                    (mine == actual[i].end() ? "missing" : describe(mine->second)) +
                                    ", dmidecode shows " + describe(value));
                }
            }
        }
    }
    if (ours.classes().size() != theirs.classes().size()) found.push_back("other classes");
    return found;
}

std::optional<std::string> dmidecodeNow(const std::filesystem::path& dump) {
#ifdef _WIN32
    // A Windows build may see dmidecode but cannot run it.
    (void)dump;
    return std::nullopt;
#else
    const char* const dmidecode = "/usr/sbin/dmidecode";
    if (::access(dmidecode, X_OK) != 0) return std::nullopt;
    const auto run =
        kestrel::test::runProcess(dmidecode, {"--from-dump", dump.string(), "-t", "0,1,2,4,16,17"});
    if (run.exitCode != 0) {
        throw std::runtime_error("dmidecode --from-dump " + dump.string() + " failed: " + run.err);
    }
    return run.out;
#endif
}

}  // namespace kestrel::smbios::test
