#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/smbios/structure.h"

namespace kestrel::smbios {

// What the firmware's entry point says about its structure table.
struct EntryPoint {
    int majorVersion;
    int minorVersion;
    bool is64Bit;                // "_SM3_" (3.x) rather than "_SM_" (2.x)
    std::uint64_t tableAddress;  // physical address, or the file offset in a dump
    std::uint32_t tableLength;   // exact length for 2.x, an upper bound for 3.x
};

struct Table {
    EntryPoint entryPoint;
    std::vector<Structure> structures;  // table order, without Type 126 (inactive) and 127
    // Why decoding stopped before the end of the table, when a structure there was broken;
    // the structures before it are whole and listed.
    std::optional<std::string> damage = std::nullopt;
};

// For a table read only up to its damage, the user's notice, naming the file it came from:
// "warning: FILE: <damage>; using the N structures before it". nullopt for a whole table.
std::optional<std::string> damageNotice(const Table& table, const std::filesystem::path& file);

// Decodes an entry point and the structure table it describes. Throws kestrel::Error for an
// entry point that is not one, fails its checksum or is cut short, and for a table that holds
// no structure (announced empty, or broken at its first structure).
Table decode(std::span<const std::uint8_t> entryPoint, std::span<const std::uint8_t> table);

// A whole dump in the layout `dmidecode --dump-bin` writes: the entry point at offset 0, the
// table at the file offset that the entry point names.
Table decodeDump(std::span<const std::uint8_t> dump);
Table readDumpFile(const std::filesystem::path& file);

// Far beyond any real table (they stay below 64 KiB), and small enough that pointing a reader at
// a device or a huge file fails instead of filling the memory: the cap of a dump and of each
// file of the kernel's pair in /sys/firmware/dmi/tables.
inline constexpr std::size_t kLargestTableFile = 16 * 1024 * 1024;

}  // namespace kestrel::smbios
