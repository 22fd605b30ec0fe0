#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrel::smbios {

// SMBIOS stores every number little-endian and unaligned; callers check the bounds first.
inline std::uint64_t littleEndian(std::span<const std::uint8_t> bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = value << 8 | bytes[i];
    return value;
}

}  // namespace kestrel::smbios
