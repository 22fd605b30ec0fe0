#pragma once

#include <cstddef>
#include <cstdint>

// Where the fields the management classes need sit in each structure type. Offsets count from
// the start of the structure; every read is still checked against the structure's own length.
namespace kestrel::smbios::fields {

namespace bios {  // Type 0
constexpr std::uint8_t kType = 0;
constexpr std::size_t kVendor = 0x04;
constexpr std::size_t kVersion = 0x05;
}  // namespace bios

namespace system {  // Type 1
constexpr std::uint8_t kType = 1;
constexpr std::size_t kManufacturer = 0x04;
constexpr std::size_t kProductName = 0x05;
constexpr std::size_t kVersion = 0x06;
constexpr std::size_t kSerialNumber = 0x07;
}  // namespace system

namespace board {  // Type 2
constexpr std::uint8_t kType = 2;
constexpr std::size_t kManufacturer = 0x04;
constexpr std::size_t kProduct = 0x05;
}  // namespace board

namespace processor {  // Type 4
constexpr std::uint8_t kType = 4;
constexpr std::size_t kManufacturer = 0x07;
constexpr std::size_t kVersion = 0x10;
constexpr std::size_t kExternalClock = 0x12;
constexpr std::size_t kCurrentSpeed = 0x16;
constexpr std::size_t kStatus = 0x18;
constexpr std::size_t kCharacteristics = 0x26;
constexpr std::uint8_t kSocketPopulated = 0x40;  // in Status
constexpr std::uint16_t k64BitCapable = 0x04;    // in Characteristics
}  // namespace processor

namespace memory_array {  // Type 16
constexpr std::uint8_t kType = 16;
constexpr std::size_t kUse = 0x05;
constexpr std::size_t kMaximumCapacity = 0x07;  // KiB
constexpr std::size_t kDeviceCount = 0x0D;
constexpr std::size_t kExtendedMaximumCapacity = 0x0F;  // bytes
constexpr std::uint8_t kSystemMemory = 0x03;            // a Use
constexpr std::uint32_t kCapacityIsExtended = 0x80000000;
}  // namespace memory_array

namespace memory_device {  // Type 17
constexpr std::uint8_t kType = 17;
constexpr std::size_t kArrayHandle = 0x04;
constexpr std::size_t kSize = 0x0C;
constexpr std::size_t kLocator = 0x10;
constexpr std::size_t kMemoryType = 0x12;
constexpr std::size_t kSpeed = 0x15;  // MT/s
constexpr std::size_t kManufacturer = 0x17;
constexpr std::size_t kExtendedSize = 0x1C;  // MiB, bits 0-30
// SMBIOS 3.2: the continuation count (odd parity in bit 7), then the maker's code. The byte
// before it is the Firmware Version string's number.
constexpr std::size_t kModuleManufacturerId = 0x2C;
constexpr std::size_t kExtendedSpeed = 0x54;  // MT/s, bits 0-30
constexpr std::uint16_t kNotInstalled = 0x0000;
constexpr std::uint16_t kSizeUnknown = 0xFFFF;
constexpr std::uint16_t kSizeIsExtended = 0x7FFF;
constexpr std::uint16_t kSizeInKiB = 0x8000;
constexpr std::uint16_t kSpeedIsExtended = 0xFFFF;
constexpr std::uint32_t kExtendedMask = 0x7FFFFFFF;
}  // namespace memory_device

}  // namespace kestrel::smbios::fields
