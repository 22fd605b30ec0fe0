#include "platform/linux/os_facts.h"

#include <sys/utsname.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "inventory/checked_math.h"
#include "inventory/text_helpers.h"

namespace kestrel::linux_machine {
namespace {

// The file's frequency, rounded to whole megahertz.
std::optional<std::int64_t> kilohertzAsMegahertz(const MachineRoot& root, const char* file,
                                                 std::vector<std::string>& notices) {
    const auto text = root.readTrimmed(file);
    if (!text) return std::nullopt;
    const auto kHz = parseWholeNumber(*text);
    const auto rounded = kHz && *kHz > 0 ? addChecked(*kHz, 500) : std::nullopt;
    if (!rounded) {
        notices.push_back(root.path(file).string() + " holds " + quoteValue(*text) +
                          ", not a frequency in kHz; it is not used");
        return std::nullopt;
    }
    return *rounded / 1000;
}

// "cpu MHz" as a clock speed the scan can round to whole megahertz.
std::optional<double> megahertz(const std::string& text, std::vector<std::string>& notices) {
    const auto mhz = parseDecimal(text);
    if (mhz && *mhz > 0 && wholeCount(std::round(*mhz))) return mhz;
    std::string notice = "/proc/cpuinfo gives \"cpu MHz\" as " + quoteValue(text) +
                         ", not a clock speed; it is not used";
    // Once, however many logical processors repeat it.
    if (std::find(notices.begin(), notices.end(), notice) == notices.end()) {
        notices.push_back(std::move(notice));
    }
    return std::nullopt;
}

std::string kernelArchitecture(const MachineRoot& root) {
    // /proc/sys/kernel/arch lets a fake root speak for another architecture; like any file it
    // holds bytes, and the name becomes the system type's text.
    if (auto arch = root.readTrimmed("/proc/sys/kernel/arch"); arch && !arch->empty()) {
        return firmwareText(*arch);
    }
    utsname name{};
    return uname(&name) == 0 ? name.machine : "";
}

}  // namespace

std::optional<std::int64_t> parseMemTotal(const std::string& meminfo,
                                          std::vector<std::string>& notices) {
    std::istringstream lines(meminfo);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.starts_with("MemTotal:")) continue;
        std::string_view rest = trimBlanks(std::string_view(line).substr(9));
        const bool inKilobytes = rest.ends_with("kB");
        if (inKilobytes) rest.remove_suffix(2);
        const auto number = parseWholeNumber(rest);
        if (!number || *number < 0 || (inKilobytes && *number > INT64_MAX / 1024)) {
            notices.push_back("/proc/meminfo gives \"MemTotal\" as " +
                              quoteValue(trimBlanks(std::string_view(line).substr(9))) +
                              ", not a size; it is not used");
            return std::nullopt;
        }
        return inKilobytes ? *number * 1024 : *number;
    }
    return std::nullopt;
}

std::vector<CpuPackage> parseCpuInfo(const std::string& cpuinfo,
                                     std::vector<std::string>& notices) {
    // Logical processors are blocks separated by blank lines; the package is their
    // "physical id" (absent on single-socket and many ARM machines).
    std::map<std::int64_t, CpuPackage> packages;
    std::map<std::string, std::string> block;
    const auto flush = [&] {
        if (block.empty()) return;
        std::int64_t id = 0;
        if (const auto found = block.find("physical id"); found != block.end()) {
            id = parseWholeNumber(found->second).value_or(0);
        }
        CpuPackage& package = packages[id];
        const auto take = [&](const char* key, std::optional<std::string>& into) {
            if (const auto found = block.find(key); found != block.end() && !into) {
                into = found->second;
            }
        };
        take("model name", package.modelName);
        take("vendor_id", package.vendorId);
        if (const auto found = block.find("cpu MHz"); found != block.end() && !package.currentMHz) {
            package.currentMHz = megahertz(found->second, notices);
        }
        block.clear();
    };
    std::istringstream lines(cpuinfo);
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (trimBlanks(line).empty()) {
            flush();
        } else if (colon != std::string::npos) {
            const std::string key(trimBlanks(std::string_view(line).substr(0, colon)));
            const std::string_view value = std::string_view(line).substr(colon + 1);
            // Only the first blank after the colon is layout; the brand string keeps the rest.
            block[key] = std::string(value.starts_with(' ') ? value.substr(1) : value);
            if (block[key].ends_with('\r')) block[key].pop_back();
        }
    }
    flush();
    std::vector<CpuPackage> result;
    for (auto& [id, package] : packages) {
        if (package.modelName || package.vendorId || package.currentMHz) {
            result.push_back(std::move(package));
        }
    }
    return result;
}

std::string systemTypeFor(const std::string& architecture) {
    if (architecture == "x86_64") return "x64-based PC";
    if (architecture.size() == 4 && architecture[0] == 'i' && architecture.substr(2) == "86" &&
        architecture[1] >= '3' && architecture[1] <= '6') {
        return "X86-based PC";
    }
    if (architecture == "aarch64") return "ARM64-based PC";
    return architecture;
}

OsFacts OsFacts::read(const MachineRoot& root) {
    OsFacts facts;
    // Caps far above what the largest machines write (cpuinfo: some KiB per logical processor).
    if (const auto meminfo = root.read("/proc/meminfo", kMebibyte);
        meminfo.status == ReadStatus::Ok) {
        facts.memTotalBytes = parseMemTotal(meminfo.text, facts.notices);
    }
    if (const auto cpuinfo = root.read("/proc/cpuinfo", 16 * kMebibyte);
        cpuinfo.status == ReadStatus::Ok) {
        facts.packages = parseCpuInfo(cpuinfo.text, facts.notices);
    }
    facts.cpuFrequencyMHz = kilohertzAsMegahertz(
        root, "/sys/devices/system/cpu/cpu0/cpufreq/base_frequency", facts.notices);
    if (!facts.cpuFrequencyMHz) {
        facts.cpuFrequencyMHz = kilohertzAsMegahertz(
            root, "/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", facts.notices);
    }
    facts.architecture = kernelArchitecture(root);
    if (auto model = root.read("/proc/device-tree/model", kAttributeLimit);
        model.status == ReadStatus::Ok) {
        // A device-tree string ends in a NUL byte.
        const auto end = model.text.find('\0');
        facts.deviceTreeModel =
            std::string(trimTrailingBlanks(std::string_view(model.text).substr(0, end)));
    }
    return facts;
}

}  // namespace kestrel::linux_machine
