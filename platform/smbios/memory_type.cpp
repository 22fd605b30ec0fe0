#include "platform/smbios/memory_type.h"

#include <algorithm>
#include <array>

#include "inventory/text_helpers.h"

namespace kestrel::smbios {
namespace {

// Indexed by SMBIOS code; empty where the code is reserved or unassigned.
// clang-format off
constexpr std::array<std::string_view, 0x25> kNames{
    "",       "Other",  "Unknown", "DRAM",   "EDRAM",  "VRAM",   "SRAM",         "RAM",
    "ROM",    "Flash",  "EEPROM",  "FEPROM", "EPROM",  "CDRAM",  "3DRAM",        "SDRAM",
    "SGRAM",  "RDRAM",  "DDR",     "DDR2",   "DDR2 FB-DIMM",     "", "", "",
    "DDR3",   "FBD2",   "DDR4",    "LPDDR",  "LPDDR2", "LPDDR3", "LPDDR4",
    "Logical non-volatile device", "HBM",    "HBM2",   "DDR5",   "LPDDR5",       "HBM3"};
// clang-format on

}  // namespace

std::int64_t cimMemoryType(std::uint8_t code) {
    // CIM numbers Other as 1 and Unknown as 0, then DRAM (03h) on as 2 and EDRAM (04h) to
    // DDR2 FB-DIMM (14h) as the code plus 2; past that CIM's numbers meet SMBIOS's again.
    if (code == 0x02) return 0;
    if (code == 0x03) return 2;
    if (code >= 0x04 && code <= 0x14) return code + 2;
    return code;
}

std::optional<std::uint8_t> memoryTypeFromName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    const auto found = std::find_if(kNames.begin(), kNames.end(), [&](std::string_view known) {
        return equalsIgnoringCase(known, name);
    });
    if (found == kNames.end()) return std::nullopt;
    return static_cast<std::uint8_t>(found - kNames.begin());
}

}  // namespace kestrel::smbios
