#include "platform/linux/linux_machine.h"

#include <cmath>
#include <optional>

#include "inventory/error.h"
#include "inventory/text_helpers.h"
#include "platform/linux/dmi_id.h"
#include "platform/linux/os_facts.h"
#include "platform/linux/udev_memory.h"
#include "platform/smbios/smbios_classes.h"
#include "platform/smbios/smbios_table.h"

namespace kestrel::linux_machine {
namespace {

using Objects = std::vector<PropertyMap>;

constexpr const char* kEntryPoint = "/sys/firmware/dmi/tables/smbios_entry_point";
constexpr const char* kTable = "/sys/firmware/dmi/tables/DMI";

// The kernel hands firmware strings on as bytes.
InventoryValue valueOr(const std::optional<std::string>& text) {
    return text ? InventoryValue(firmwareText(*text)) : InventoryValue::null();
}

InventoryValue firstOf(std::initializer_list<InventoryValue> candidates) {
    for (const auto& candidate : candidates) {
        if (!candidate.isNull() && !candidate.isEmpty()) return candidate;
    }
    return InventoryValue::null();
}

InventoryValue propertyOf(const Objects& objects, const char* name) {
    return objects.empty() ? InventoryValue::null() : objects.front().at(name);
}

// The SMBIOS table, when this user may read it and it decodes.
std::optional<ManagementTable> readSmbios(const MachineRoot& root, ReadStatus& status,
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
        if (decoded.damage) {
            sources.notices.push_back("the SMBIOS table is damaged (" + *decoded.damage +
                                      "); using the " + std::to_string(decoded.structures.size()) +
                                      " structures before the damage");
        }
        return smbios::classesFromTable(decoded);
    } catch (const Error& e) {
        sources.notices.push_back(std::string("the SMBIOS table could not be decoded (") +
                                  e.what() + "); using the other sources");
        status = ReadStatus::Missing;
        return std::nullopt;
    }
}

InventoryValue clockSpeed(const OsFacts& os, const CpuPackage* package) {
    if (os.cpuFrequencyMHz) return InventoryValue(*os.cpuFrequencyMHz);
    if (package && package->currentMHz) {
        return InventoryValue(static_cast<std::int64_t>(std::llround(*package->currentMHz)));
    }
    return InventoryValue::null();
}

// The brand string and vendor as the kernel reports them are what users know their processor
// by; the firmware's strings are often abbreviated or blank.
Objects processors(const Objects& fromSmbios, const OsFacts& os) {
    Objects result;
    if (!fromSmbios.empty()) {
        for (std::size_t i = 0; i < fromSmbios.size(); ++i) {
            PropertyMap cpu = fromSmbios[i];
            const CpuPackage* package = i < os.packages.size() ? &os.packages[i] : nullptr;
            if (package && package->modelName) cpu[schema::kName] = valueOr(package->modelName);
            if (package && package->vendorId)
                cpu[schema::kManufacturer] = valueOr(package->vendorId);
            if (cpu[schema::kCurrentClockSpeed].isNull())
                cpu[schema::kCurrentClockSpeed] = clockSpeed(os, package);
            result.push_back(std::move(cpu));
        }
        return result;
    }
    for (const auto& package : os.packages) {
        result.push_back(PropertyMap{{schema::kName, valueOr(package.modelName)},
                                     {schema::kManufacturer, valueOr(package.vendorId)},
                                     {schema::kCurrentClockSpeed, clockSpeed(os, &package)}});
    }
    return result;
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
    const std::optional<ManagementTable> smbios = readSmbios(root, smbiosStatus, sources);
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

    const auto classObjects = [&](const schema::ManagementClass& managementClass) {
        return smbios ? smbios->objects(managementClass.name) : Objects{};
    };
    ManagementTable& table = reading.table;

    const Objects system = classObjects(schema::kComputerSystem);
    table.add(
        schema::kComputerSystem,
        PropertyMap{
            {schema::kManufacturer,
             firstOf({propertyOf(system, schema::kManufacturer), valueOr(dmi.sysVendor)})},
            {schema::kModel, firstOf({propertyOf(system, schema::kModel), valueOr(dmi.productName),
                                      valueOr(os.deviceTreeModel)})},
            {schema::kSystemType, systemTypeFor(os.architecture)},
            {schema::kTotalPhysicalMemory, os.memTotalBytes
                                               ? InventoryValue(*os.memTotalBytes)
                                               : propertyOf(system, schema::kTotalPhysicalMemory)},
        });

    for (auto& array : smbios ? classObjects(schema::kPhysicalMemoryArray)
                              : (udev ? udev->arrays() : Objects{})) {
        table.add(schema::kPhysicalMemoryArray, std::move(array));
    }
    for (auto& module :
         smbios ? classObjects(schema::kPhysicalMemory) : (udev ? udev->modules() : Objects{})) {
        table.add(schema::kPhysicalMemory, std::move(module));
    }
    for (auto& cpu : processors(classObjects(schema::kProcessor), os)) {
        table.add(schema::kProcessor, std::move(cpu));
    }

    if (smbios) {
        for (const auto* managementClass :
             {&schema::kBios, &schema::kComputerSystemProduct, &schema::kBaseboard}) {
            for (const auto& object : classObjects(*managementClass)) {
                table.add(*managementClass, object);
            }
        }
        return reading;
    }
    if (dmi.biosVendor || dmi.biosVersion) {
        table.add(schema::kBios,
                  PropertyMap{{schema::kManufacturer, valueOr(dmi.biosVendor)},
                              {schema::kSmbiosBiosVersion, valueOr(dmi.biosVersion)}});
    }
    if (dmi.sysVendor || dmi.productVersion || dmi.productSerial) {
        table.add(schema::kComputerSystemProduct,
                  PropertyMap{{schema::kIdentifyingNumber, valueOr(dmi.productSerial)},
                              {schema::kVendor, valueOr(dmi.sysVendor)},
                              {schema::kVersion, valueOr(dmi.productVersion)}});
    }
    if (dmi.boardVendor || dmi.boardName) {
        table.add(schema::kBaseboard, PropertyMap{{schema::kManufacturer, valueOr(dmi.boardVendor)},
                                                  {schema::kProduct, valueOr(dmi.boardName)}});
    }
    return reading;
}

}  // namespace kestrel::linux_machine
