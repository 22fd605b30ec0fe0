#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::smbios {

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

}  // namespace kestrel::smbios
