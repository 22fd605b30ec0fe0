#include "dmidecode_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>
#include <stdexcept>

namespace kestrel::smbios::test {
namespace {

std::optional<std::int64_t> leadingNumber(std::string_view text, std::string_view& rest) {
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    rest = text.substr(static_cast<std::size_t>(end - text.data()));
    return number;
}

}  // namespace

std::optional<std::string> DmidecodeRecord::value(const std::string& key) const {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

bool DmidecodeRecord::listHas(const std::string& key, const std::string& item) const {
    const auto found = lists.find(key);
    return found != lists.end() &&
           std::find(found->second.begin(), found->second.end(), item) != found->second.end();
}

std::vector<DmidecodeRecord> parseDmidecode(std::string_view text) {
    std::vector<DmidecodeRecord> records;
    std::istringstream lines{std::string(text)};
    std::string line;
    std::string listKey;
    while (std::getline(lines, line)) {
        unsigned handle = 0;
        int type = 0;
        if (std::sscanf(line.c_str(), "Handle 0x%x, DMI type %d,", &handle, &type) == 2) {
            records.push_back({static_cast<std::uint16_t>(handle), type, {}, {}});
            listKey.clear();
        } else if (records.empty()) {
            continue;
        } else if (line.starts_with("\t\t")) {
            if (listKey.empty()) throw std::runtime_error("list item without a key: " + line);
            records.back().lists[listKey].push_back(line.substr(2));
        } else if (line.starts_with("\t")) {
            const auto colon = line.find(": ");
            if (colon == std::string::npos) {
                listKey = line.substr(1, line.size() - 2);  // "\tCharacteristics:"
                records.back().lists[listKey];
            } else {
                records.back().values[line.substr(1, colon - 1)] = line.substr(colon + 2);
                listKey.clear();
            }
        }
    }
    return records;
}

std::optional<std::int64_t> dmidecodeSize(const std::string& text) {
    static constexpr std::array<std::string_view, 6> kUnits{" bytes", " kB", " MB",
                                                            " GB",    " TB", " PB"};
    std::string_view unit;
    auto number = leadingNumber(text, unit);
    if (!number) return std::nullopt;
    const auto found = std::find(kUnits.begin(), kUnits.end(), unit);
    if (found == kUnits.end()) throw std::runtime_error("unknown size unit in \"" + text + "\"");
    for (auto u = kUnits.begin(); u != found; ++u) *number *= 1024;
    return number;
}

std::optional<std::int64_t> dmidecodeNumber(const std::string& text) {
    std::string_view rest;
    return leadingNumber(text, rest);
}

}  // namespace kestrel::smbios::test
