#pragma once

#include <cstdint>
#include <span>

#include "platform/smbios/smbios_table.h"

namespace kestrel::smbios {

// Reads a "_SM_" (2.x) or "_SM3_" (3.x) entry point from the start of bytes, checksums
// included. Throws kestrel::Error for anything else.
EntryPoint parseEntryPoint(std::span<const std::uint8_t> bytes);

}  // namespace kestrel::smbios
