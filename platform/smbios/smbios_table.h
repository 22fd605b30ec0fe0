#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrel::smbios {

// What the firmware's entry point says about its structure table.
struct EntryPoint {
    int majorVersion;
    int minorVersion;
    bool is64Bit;                // "_SM3_" (3.x) rather than "_SM_" (2.x)
    std::uint64_t tableAddress;  // physical address, or the file offset in a dump
    std::uint32_t tableLength;   // exact length for 2.x, an upper bound for 3.x
};

// One structure: its header and formatted area, then the strings that follow it. Every read is
// bounded by the structure's own length, never by what its version or type would suggest.
class Structure {
  public:
    Structure(std::vector<std::uint8_t> formatted, std::vector<std::string> strings);

    std::uint8_t type() const { return formatted_[0]; }
    std::uint16_t handle() const;
    std::size_t length() const { return formatted_.size(); }  // the formatted area's length

    // nullopt when the field does not lie wholly inside the formatted area.
    std::optional<std::uint8_t> byte(std::size_t offset) const;
    std::optional<std::uint16_t> word(std::size_t offset) const;
    std::optional<std::uint32_t> dword(std::size_t offset) const;
    std::optional<std::uint64_t> qword(std::size_t offset) const;

    // The string the byte at offset refers to, trailing blanks trimmed: nullopt for index 0,
    // a missing byte, or an index past the last string.
    std::optional<std::string> string(std::size_t offset) const;

    bool operator==(const Structure&) const = default;

  private:
    std::optional<std::uint64_t> field(std::size_t offset, std::size_t size) const;

    std::vector<std::uint8_t> formatted_;
    std::vector<std::string> strings_;
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
