#pragma once

#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace kestrel::schema {

// The management classes the scan queries and, for each, the properties it reads: the one place
// their names are written. Names match without regard to case, as the management service
// matches them; these are the spellings the queries use.

// Property names; a name several classes share is one constant.
inline constexpr char kManufacturer[] = "Manufacturer";
inline constexpr char kModel[] = "Model";
inline constexpr char kSystemType[] = "SystemType";
inline constexpr char kTotalPhysicalMemory[] = "TotalPhysicalMemory";
inline constexpr char kMaxCapacity[] = "MaxCapacity";
inline constexpr char kMemoryDevices[] = "MemoryDevices";
inline constexpr char kCapacity[] = "Capacity";
inline constexpr char kMemoryType[] = "MemoryType";
inline constexpr char kSpeed[] = "Speed";
inline constexpr char kDeviceLocator[] = "DeviceLocator";
inline constexpr char kName[] = "Name";
inline constexpr char kCurrentClockSpeed[] = "CurrentClockSpeed";
inline constexpr char kExtClock[] = "ExtClock";
inline constexpr char kSmbiosBiosVersion[] = "SMBIOSBIOSVersion";
inline constexpr char kIdentifyingNumber[] = "IdentifyingNumber";
inline constexpr char kVendor[] = "Vendor";
inline constexpr char kVersion[] = "Version";
inline constexpr char kProduct[] = "Product";

// Beyond the set of its class: the memory module maker's JEDEC JEP106 code that SMBIOS 3.2 and
// later record beside the maker's text, written as its continuation-count byte and code byte in
// hex ("80CE"). Only the providers that read the SMBIOS table add it, and only where it is known.
inline constexpr char kModuleManufacturerId[] = "ModuleManufacturerID";

// The width of the unsigned integer the instrumentation declares for each size, speed, count
// and code the scan reads: a value past it cannot describe a real machine. 0 for any other
// property.
constexpr int declaredBits(std::string_view property) {
    constexpr std::array<std::pair<std::string_view, int>, 8> kDeclared{{
        {kTotalPhysicalMemory, 64},  // bytes
        {kCapacity, 64},             // bytes
        {kMaxCapacity, 32},          // kilobytes
        {kSpeed, 32},
        {kCurrentClockSpeed, 32},
        {kExtClock, 32},
        {kMemoryDevices, 16},
        {kMemoryType, 16},
    }};
    for (const auto& [name, bits] : kDeclared) {
        if (name == property) return bits;
    }
    return 0;
}

// A class and Kestrel's property set of it: every object a provider reports carries each of
// these properties, Null where the provider does not know it.
struct ManagementClass {
    std::string_view name;
    std::span<const std::string_view> properties;
};

namespace detail {
inline constexpr std::array<std::string_view, 4> kComputerSystem{kManufacturer, kModel, kSystemType,
                                                                 kTotalPhysicalMemory};
inline constexpr std::array<std::string_view, 2> kPhysicalMemoryArray{kMaxCapacity, kMemoryDevices};
inline constexpr std::array<std::string_view, 5> kPhysicalMemory{kCapacity, kMemoryType, kSpeed,
                                                                 kDeviceLocator, kManufacturer};
inline constexpr std::array<std::string_view, 4> kProcessor{kName, kManufacturer,
                                                            kCurrentClockSpeed, kExtClock};
inline constexpr std::array<std::string_view, 2> kBios{kManufacturer, kSmbiosBiosVersion};
inline constexpr std::array<std::string_view, 3> kComputerSystemProduct{kIdentifyingNumber, kVendor,
                                                                        kVersion};
inline constexpr std::array<std::string_view, 2> kBaseboard{kManufacturer, kProduct};
}  // namespace detail

inline constexpr ManagementClass kComputerSystem{"Win32_ComputerSystem", detail::kComputerSystem};
inline constexpr ManagementClass kPhysicalMemoryArray{"Win32_PhysicalMemoryArray",
                                                      detail::kPhysicalMemoryArray};
inline constexpr ManagementClass kPhysicalMemory{"Win32_PhysicalMemory", detail::kPhysicalMemory};
inline constexpr ManagementClass kProcessor{"Win32_Processor", detail::kProcessor};
inline constexpr ManagementClass kBios{"Win32_Bios", detail::kBios};
inline constexpr ManagementClass kComputerSystemProduct{"Win32_ComputerSystemProduct",
                                                        detail::kComputerSystemProduct};
inline constexpr ManagementClass kBaseboard{"Win32_Baseboard", detail::kBaseboard};

// The class of that name, nullptr for one the scan does not query.
const ManagementClass* findClass(std::string_view name);

// Whether the property is in the class's set.
bool hasProperty(const ManagementClass& managementClass, std::string_view name);

}  // namespace kestrel::schema
