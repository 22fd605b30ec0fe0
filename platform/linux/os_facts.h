#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/machine_root.h"

namespace kestrel::linux_machine {

// One physical processor package as /proc/cpuinfo describes it.
struct CpuPackage {
    std::optional<std::string> modelName;  // the CPUID brand string
    std::optional<std::string> vendorId;   // "GenuineIntel", "AuthenticAMD"
    std::optional<double> currentMHz;      // "cpu MHz" of its first logical processor
};

// What the running kernel tells about the machine.
struct OsFacts {
    std::optional<std::int64_t> memTotalBytes;    // /proc/meminfo MemTotal
    std::vector<CpuPackage> packages;             // by ascending physical id
    std::optional<std::int64_t> cpuFrequencyMHz;  // cpufreq base, else maximum frequency
    std::string architecture;                     // the kernel's machine name, "x86_64"
    std::optional<std::string> deviceTreeModel;   // boards without DMI
    std::vector<std::string> notices;             // one line per value that could not be used

    static OsFacts read(const MachineRoot& root);
};

// "x64-based PC", "X86-based PC", "ARM64-based PC", else the machine name itself.
std::string systemTypeFor(const std::string& architecture);

// Parsers, public so that odd inputs can be tested directly. A value that cannot be what it
// stands for is left unknown, with a line in notices.
std::optional<std::int64_t> parseMemTotal(const std::string& meminfo,
                                          std::vector<std::string>& notices);
std::vector<CpuPackage> parseCpuInfo(const std::string& cpuinfo, std::vector<std::string>& notices);

}  // namespace kestrel::linux_machine
