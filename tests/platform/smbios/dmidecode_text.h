#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::smbios::test {

// One "Handle 0x...., DMI type N, L bytes" block of dmidecode's output.
struct DmidecodeRecord {
    std::uint16_t handle = 0;
    int type = 0;
    std::map<std::string, std::string> values;              // "\tKey: value", value verbatim
    std::map<std::string, std::vector<std::string>> lists;  // "\tKey:" then "\t\titem" lines

    // The value of key, or nullopt when dmidecode printed no such line.
    std::optional<std::string> value(const std::string& key) const;
    bool listHas(const std::string& key, const std::string& item) const;
};

std::vector<DmidecodeRecord> parseDmidecode(std::string_view text);

// dmidecode's sizes ("8 GB", "2048 MB", "3 TB") in bytes; nullopt for words such as "Unknown".
std::optional<std::int64_t> dmidecodeSize(const std::string& text);
// The leading number of "2133 MT/s" or "2600 MHz"; nullopt for "Unknown".
std::optional<std::int64_t> dmidecodeNumber(const std::string& text);

}  // namespace kestrel::smbios::test
