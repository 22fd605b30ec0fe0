#include "platform/linux/linux_machine.h"

#include <cmath>
#include <optional>

#include "inventory/error.h"
#include "inventory/management/machine_facts.h"
#include "inventory/text_helpers.h"
#include "platform/linux/dmi_id.h"
#include "platform/linux/os_facts.h"
#include "platform/linux/udev_memory.h"
#include "platform/smbios/smbios_classes.h"
#include "platform/smbios/smbios_table.h"

namespace kestrel::linux_machine {
namespace {

constexpr const char* kEntryPoint = "/sys/firmware/dmi/tables/smbios_entry_point";
constexpr const char* kTable = "/sys/firmware/dmi/tables/DMI";

// The SMBIOS table's facts, when this user may read the table and it decodes.
std::optional<MachineFacts> readSmbios(const MachineRoot& root, ReadStatus& status,
                                       MachineSources& sources) {
    const FileText entryPoint = root.read(kEntryPoint, smbios::kLargestTableFile);
    const FileText table = root.read(kTable, smbios::kLargestTableFile);
    status = entryPoint.status == ReadStatus::Ok ? table.status : entryPoint.status;
    if (status != ReadStatus::Ok) return std::nullopt;
    try {
        const auto bytes = [](const std::string& text) {
            return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        };
        const smbios::Table decoded = smbios::decode(bytes(entryPoint.text), bytes(table.text));
        if (auto notice = smbios::damageNotice(decoded, root.path(kTable))) {
            sources.notices.push_back(std::move(*notice));
        }
        return smbios::factsFromTable(decoded);
    } catch (const Error& e) {
        sources.notices.push_back(std::string("the SMBIOS table could not be decoded (") +
                                  e.what() + "); using the other sources");
        status = ReadStatus::Missing;
        return std::nullopt;
    }
}

std::optional<std::int64_t> clockSpeed(const OsFacts& os, const CpuPackage* package) {
    if (os.cpuFrequencyMHz) return os.cpuFrequencyMHz;
    if (package && package->currentMHz) {
        return static_cast<std::int64_t>(std::llround(*package->currentMHz));
    }
    return std::nullopt;
}

// The brand string and vendor as the kernel reports them are what users know their processor
// by; the firmware's strings are often abbreviated or blank.
void mergeProcessors(std::vector<ProcessorFacts>& processors, const OsFacts& os) {
    if (processors.empty()) {
        for (const auto& package : os.packages) {
            ProcessorFacts& cpu = processors.emplace_back();
            cpu.name = firmwareTextIfAny(package.modelName);
            cpu.manufacturer = firmwareTextIfAny(package.vendorId);
            cpu.currentClockSpeedMHz = clockSpeed(os, &package);
        }
        return;
    }
    for (std::size_t i = 0; i < processors.size(); ++i) {
        ProcessorFacts& cpu = processors[i];
        const CpuPackage* package = i < os.packages.size() ? &os.packages[i] : nullptr;
        if (package && package->modelName) cpu.name = firmwareTextIfAny(package->modelName);
        if (package && package->vendorId) cpu.manufacturer = firmwareTextIfAny(package->vendorId);
        if (!cpu.currentClockSpeedMHz) cpu.currentClockSpeedMHz = clockSpeed(os, package);
    }
}

// The classes that only /sys/class/dmi/id names where the SMBIOS table could not be read.
void addDmiId(MachineFacts& facts, const DmiId& dmi) {
    if (dmi.biosVendor || dmi.biosVersion) {
        facts.bios = BiosFacts{.manufacturer = firmwareTextIfAny(dmi.biosVendor),
                               .version = firmwareTextIfAny(dmi.biosVersion)};
    }
    if (dmi.sysVendor || dmi.productVersion || dmi.productSerial) {
        facts.product =
            ComputerSystemProductFacts{.identifyingNumber = firmwareTextIfAny(dmi.productSerial),
                                       .vendor = firmwareTextIfAny(dmi.sysVendor),
                                       .version = firmwareTextIfAny(dmi.productVersion)};
    }
    if (dmi.boardVendor || dmi.boardName) {
        facts.baseboards.push_back({.manufacturer = firmwareTextIfAny(dmi.boardVendor),
                                    .product = firmwareTextIfAny(dmi.boardName)});
    }
}

void noteMissingMemoryDetails(ReadStatus smbiosStatus, bool haveUdev, MachineSources& sources) {
    if (smbiosStatus == ReadStatus::Ok || haveUdev) {
        if (smbiosStatus == ReadStatus::Denied) {
            sources.notices.push_back(
                "the SMBIOS table needs root: memory details come from the "
                "udev database and the serial number is not available");
        }
        return;
    }
    sources.notices.push_back(smbiosStatus == ReadStatus::Denied
                                  ? "memory module details need root or the udev database"
                                  : "this machine has no SMBIOS table and no udev memory data: "
                                    "memory module details are not available");
}

}  // namespace

MachineReading readMachine(const MachineRoot& root) {
    MachineReading reading;
    MachineSources& sources = reading.sources;

    ReadStatus smbiosStatus = ReadStatus::Missing;
    std::optional<MachineFacts> smbios = readSmbios(root, smbiosStatus, sources);
    if (smbios) sources.answered.push_back("smbios");
    const OsFacts os = OsFacts::read(root);
    if (os.memTotalBytes || !os.packages.empty()) sources.answered.push_back("proc");
    sources.notices.insert(sources.notices.end(), os.notices.begin(), os.notices.end());

    std::optional<UdevMemory> udev;
    if (!smbios) {
        const FileText database = root.read("/run/udev/data/+dmi:id", kMebibyte);
        if (database.status == ReadStatus::Ok) udev = UdevMemory::parse(database.text);
        if (udev) {
            sources.answered.push_back("udev");
            sources.notices.insert(sources.notices.end(), udev->notices.begin(),
                                   udev->notices.end());
        }
    }
    const DmiId dmi = smbios ? DmiId{} : DmiId::read(root);
    if (dmi.sysVendor || dmi.productName || dmi.biosVendor || dmi.boardName) {
        sources.answered.push_back("dmi-id");
    }
    noteMissingMemoryDetails(smbiosStatus, udev.has_value(), sources);
    sources.notices.insert(sources.notices.end(), root.problems().begin(), root.problems().end());

    // The SMBIOS table's facts first; the kernel's where the table is silent, and the kernel's
    // count of memory and its architecture always.
    MachineFacts facts = smbios ? std::move(*smbios) : MachineFacts{};
    ComputerSystemFacts& system = facts.computerSystem;
    if (!system.manufacturer) system.manufacturer = firmwareTextIfAny(dmi.sysVendor);
    if (!system.model) system.model = firmwareTextIfAny(dmi.productName);
    if (!system.model) system.model = firmwareTextIfAny(os.deviceTreeModel);
    system.systemType = systemTypeFor(os.architecture);
    if (os.memTotalBytes) system.totalPhysicalMemoryBytes = os.memTotalBytes;
    if (udev) {
        facts.memoryArrays = udev->arrays();
        facts.modules = udev->modules();
    }
    mergeProcessors(facts.processors, os);
    addDmiId(facts, dmi);
    reading.table = classTable(std::move(facts), sources.notices);
    return reading;
}

}  // namespace kestrel::linux_machine
