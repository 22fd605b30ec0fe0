#pragma once

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

}  // namespace kestrel::smbios
