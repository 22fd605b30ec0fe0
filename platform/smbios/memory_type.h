#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrel::smbios {

// The MemoryType value for an SMBIOS memory type code: the CIM code where CIM has one, else the
// SMBIOS code itself, so DDR4 and newer keep a meaningful number.
std::int64_t cimMemoryType(std::uint8_t smbiosMemoryType);

// The SMBIOS code for a memory type name as systemd's dmi_memory_id writes it
// (MEMORY_DEVICE_<n>_TYPE: "DDR4", "LPDDR4", "Other", ...); nullopt for names that name no code.
std::optional<std::uint8_t> memoryTypeFromName(std::string_view name);

}  // namespace kestrel::smbios
