#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "inventory/management/management_table.h"
#include "platform/smbios/smbios_table.h"

namespace kestrel::smbios {

// The seven management classes the scan queries, answered from the table alone:
// Win32_ComputerSystem, Win32_PhysicalMemoryArray, Win32_PhysicalMemory, Win32_Processor,
// Win32_Bios, Win32_ComputerSystemProduct and Win32_Baseboard. Every object carries every
// property of its class; what the table does not say is Null. A module carries
// kModuleManufacturerId besides, where its record holds a code. Strings keep the firmware's
// text apart from trailing blanks.
ManagementTable classesFromTable(const Table& table);

// The MemoryType value for an SMBIOS memory type code: the CIM code where CIM has one, else the
// SMBIOS code itself, so DDR4 and newer keep a meaningful number.
std::int64_t cimMemoryType(std::uint8_t smbiosMemoryType);

// The SMBIOS code for a memory type name as systemd's dmi_memory_id writes it
// (MEMORY_DEVICE_<n>_TYPE: "DDR4", "LPDDR4", "Other", ...); nullopt for names that name no code.
std::optional<std::uint8_t> memoryTypeFromName(std::string_view name);

// The value of kModuleManufacturerId for a Type 17 Module Manufacturer ID word (low byte the
// number of continuation codes, high byte the code): "80CE"; nullopt for 0, "unknown".
std::optional<std::string> manufacturerIdText(std::uint16_t id);

// The same from the text systemd's dmi_memory_id writes for it ("Bank 1, Hex 0xCE"); nullopt
// for any other text.
std::optional<std::string> manufacturerIdFromBank(std::string_view text);

}  // namespace kestrel::smbios
