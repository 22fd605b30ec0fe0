#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/smbios/smbios_table.h"
#include "print_value.h"

namespace kestrel::smbios::test {

using Bytes = std::vector<std::uint8_t>;

// One hand-made structure: a zero-filled formatted area of the given length with fields set at
// their offsets (counted from the start of the structure), then its strings.
class Record {
  public:
    Record(std::uint8_t type, std::uint16_t handle, std::size_t length);

    Record& byte(std::size_t offset, std::uint8_t value);
    Record& word(std::size_t offset, std::uint16_t value);
    Record& dword(std::size_t offset, std::uint32_t value);
    Record& qword(std::size_t offset, std::uint64_t value);
    Record& strings(std::vector<std::string> strings);
    // Grows (with zeros) or cuts the formatted area, as firmware of another version would.
    Record& resize(std::size_t length);

    Bytes bytes() const;  // formatted area, strings, terminating NULs
    Structure structure() const;

  private:
    Record& little(std::size_t offset, std::uint64_t value, std::size_t size);

    Bytes formatted_;
    std::vector<std::string> strings_;
};

Bytes tableOf(std::initializer_list<Record> records);
Bytes joined(std::initializer_list<Bytes> parts);

// Entry points with valid checksums for a table of tableLength bytes at tableAddress.
Bytes entryPoint32(std::size_t tableLength, std::uint32_t tableAddress = 0x20,
                   std::uint8_t major = 2, std::uint8_t minor = 8);
Bytes entryPoint64(std::size_t tableLength, std::uint64_t tableAddress = 0x20,
                   std::uint8_t major = 3, std::uint8_t minor = 0);
void fixChecksum(Bytes& bytes, std::size_t from, std::size_t count, std::size_t at);

// A dump-bin file: the entry point, zeros up to 0x20, then the table.
Bytes dumpOf(const Bytes& entryPoint, const Bytes& table);

// Structures as the mapping sees them, with an entry point that does not matter to it.
Table tableWith(std::initializer_list<Structure> structures);

}  // namespace kestrel::smbios::test
