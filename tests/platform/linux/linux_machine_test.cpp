#include "platform/linux/linux_machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fake_root.h"

namespace kestrel::linux_machine {
namespace {

using test::FakeRoot;
using test::smbiosData;
using Sources = std::vector<std::string>;

const PropertyMap& only(const ManagementTable& table, const char* className) {
    const auto& objects = table.objects(className);
    if (objects.size() != 1) throw std::runtime_error(std::string("not one ") + className);
    return objects.front();
}

TEST(LinuxMachine, WithTheSmbiosTableTheKernelStillGivesMemorySizeArchitectureAndCpuName) {
    const FakeRoot root({"--dump", smbiosData("systemd/Lenovo-ThinkPad-X280.bin"), "--memtotal-kb",
                         "7979200", "--cpu", "  Brand CPU @ 1.60GHz |GenuineIntel|800.0",
                         "--dmi-id", "bios_vendor=NOT FROM SMBIOS"});
    const MachineReading reading = readMachine(MachineRoot(root.path()));
    EXPECT_EQ(reading.sources.answered, (Sources{"smbios", "proc"}));
    EXPECT_TRUE(reading.sources.notices.empty());

    const PropertyMap& system = only(reading.table, "Win32_ComputerSystem");
    EXPECT_EQ(system.at("Manufacturer"), InventoryValue("LENOVO"));
    EXPECT_EQ(system.at("SystemType"), InventoryValue("x64-based PC"));
    EXPECT_EQ(system.at("TotalPhysicalMemory"), InventoryValue(std::int64_t{7979200} * 1024));

    const PropertyMap& cpu = only(reading.table, "Win32_Processor");
    EXPECT_EQ(cpu.at("Name"), InventoryValue("  Brand CPU @ 1.60GHz "));
    EXPECT_EQ(cpu.at("Manufacturer"), InventoryValue("GenuineIntel"));
    EXPECT_FALSE(cpu.at("CurrentClockSpeed").isNull()) << "the firmware's speed is kept";

    EXPECT_NE(only(reading.table, "Win32_Bios").at("Manufacturer"),
              InventoryValue("NOT FROM SMBIOS"));
    EXPECT_EQ(reading.table.objects("Win32_PhysicalMemory").size(), 2u);
}

TEST(LinuxMachine, WithoutTheTableMemoryComesFromUdevAndNamesFromDmiId) {
    const FakeRoot root(
        {"--udev", smbiosData("systemd/HP-Z600.bin.txt"), "--dmi-id", "sys_vendor=Hewlett-Packard",
         "--dmi-id", "product_name=HP Z600 Workstation", "--dmi-id", "bios_vendor=Hewlett-Packard",
         "--dmi-id", "bios_version=786G4 v03.19", "--dmi-id", "board_name=0B54h"});
    const MachineReading reading = readMachine(MachineRoot(root.path()));
    EXPECT_EQ(reading.sources.answered, (Sources{"proc", "udev", "dmi-id"}));
    EXPECT_TRUE(reading.sources.notices.empty());

    EXPECT_EQ(only(reading.table, "Win32_ComputerSystem").at("Model"),
              InventoryValue("HP Z600 Workstation"));
    const PropertyMap& array = only(reading.table, "Win32_PhysicalMemoryArray");
    EXPECT_EQ(array.at("MaxCapacity"), InventoryValue(std::int64_t{12582912}));
    EXPECT_EQ(array.at("MemoryDevices"), InventoryValue(std::int64_t{6})) << "the ROM is no slot";

    const auto& modules = reading.table.objects("Win32_PhysicalMemory");
    ASSERT_EQ(modules.size(), 4u) << "two empty slots and the firmware ROM are not modules";
    EXPECT_EQ(modules[0].at("Capacity"), InventoryValue(std::int64_t{8589934592}));
    EXPECT_EQ(modules[0].at("MemoryType"), InventoryValue(std::int64_t{24}));
    EXPECT_EQ(modules[0].at("Speed"), InventoryValue(std::int64_t{1600}));
    EXPECT_EQ(modules[3].at("DeviceLocator"), InventoryValue("CPU1 DIMM2"));
    EXPECT_EQ(modules[3].at("Manufacturer"), InventoryValue("JEDEC ID:80 AD"));

    const PropertyMap& product = only(reading.table, "Win32_ComputerSystemProduct");
    EXPECT_TRUE(product.at("IdentifyingNumber").isNull()) << "the serial is root's";
    EXPECT_TRUE(product.at("Version").isNull());
    const PropertyMap& board = only(reading.table, "Win32_Baseboard");
    EXPECT_TRUE(board.at("Manufacturer").isNull());
    EXPECT_EQ(board.at("Product"), InventoryValue("0B54h"));
}

TEST(LinuxMachine, NoDmiAtAllStillGivesProcessorMemoryAndSystemType) {
    const FakeRoot root({"--cpu", "Cpu A|AuthenticAMD|2445.6", "--cpu", "Cpu B|AuthenticAMD|1200",
                         "--arch", "aarch64"});
    const MachineReading reading = readMachine(MachineRoot(root.path()));
    EXPECT_EQ(reading.sources.answered, (Sources{"proc"}));
    ASSERT_EQ(reading.sources.notices.size(), 1u);
    EXPECT_EQ(reading.sources.notices[0],
              "this machine has no SMBIOS table and no udev memory data: memory module details "
              "are not available");

    const PropertyMap& system = only(reading.table, "Win32_ComputerSystem");
    EXPECT_TRUE(system.at("Manufacturer").isNull());
    EXPECT_TRUE(system.at("Model").isNull());
    EXPECT_EQ(system.at("SystemType"), InventoryValue("ARM64-based PC"));
    const auto& cpus = reading.table.objects("Win32_Processor");
    ASSERT_EQ(cpus.size(), 2u);
    EXPECT_EQ(cpus[0].at("CurrentClockSpeed"), InventoryValue(std::int64_t{2446}));
    EXPECT_EQ(cpus[1].at("Name"), InventoryValue("Cpu B"));
    EXPECT_TRUE(cpus[1].at("ExtClock").isNull());
    for (const char* absent : {"Win32_PhysicalMemoryArray", "Win32_PhysicalMemory", "Win32_Bios",
                               "Win32_ComputerSystemProduct", "Win32_Baseboard"}) {
        EXPECT_TRUE(reading.table.objects(absent).empty()) << absent;
    }
}

TEST(LinuxMachine, StableFrequencySourcesWinOverTheDriftingCurrentOne) {
    const FakeRoot root({});
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "4600000\n");
    EXPECT_EQ(only(readMachine(MachineRoot(root.path())).table, "Win32_Processor")
                  .at("CurrentClockSpeed"),
              InventoryValue(std::int64_t{4600}));
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/base_frequency", "3200000\n");
    EXPECT_EQ(only(readMachine(MachineRoot(root.path())).table, "Win32_Processor")
                  .at("CurrentClockSpeed"),
              InventoryValue(std::int64_t{3200}));
}

TEST(LinuxMachine, ABrokenTableFallsBackToTheOtherSourcesAndSaysSo) {
    const FakeRoot root({"--udev", smbiosData("systemd/Lenovo-Thinkcentre-m720s.bin.txt"),
                         "--dmi-id", "sys_vendor=LENOVO"});
    root.write("/sys/firmware/dmi/tables/smbios_entry_point", "_SM_ not an entry point");
    root.write("/sys/firmware/dmi/tables/DMI", std::string(64, '\xff'));
    const MachineReading reading = readMachine(MachineRoot(root.path()));
    EXPECT_EQ(reading.sources.answered, (Sources{"proc", "udev", "dmi-id"}));
    ASSERT_EQ(reading.sources.notices.size(), 1u);
    EXPECT_TRUE(reading.sources.notices[0].starts_with("the SMBIOS table could not be decoded ("));
    EXPECT_EQ(reading.table.objects("Win32_PhysicalMemory").size(), 3u);
}

// A 3.x entry point announcing a table of tableLength bytes.
std::string entryPoint64(std::uint32_t tableLength) {
    std::string bytes("_SM3_\0\x18\x03\x00\x00\x01\x00", 12);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(tableLength >> shift);
    bytes += std::string(8, '\0');
    unsigned sum = 0;
    for (const char c : bytes) sum += static_cast<unsigned char>(c);
    bytes[5] = static_cast<char>(0x100 - sum % 0x100);
    return bytes;
}

TEST(LinuxMachine, AnEmptyTableIsDamageAndTheKernelsCopyOfTheStringsStandsIn) {
    const FakeRoot root({"--dump", smbiosData("systemd/Lenovo-ThinkPad-X280.bin")});
    root.write("/sys/firmware/dmi/tables/smbios_entry_point", entryPoint64(0));
    // The kernel passes firmware bytes on as they are; these are Windows-1252.
    root.write("/sys/class/dmi/id/sys_vendor", "Caf\xE9 \x80\n");
    const MachineReading reading = readMachine(MachineRoot(root.path()));
    EXPECT_EQ(reading.sources.answered, (Sources{"proc", "dmi-id"}));
    ASSERT_FALSE(reading.sources.notices.empty());
    EXPECT_TRUE(reading.sources.notices[0].starts_with(
        "the SMBIOS table could not be decoded (SMBIOS table holds no structures"))
        << reading.sources.notices[0];
    EXPECT_EQ(only(reading.table, "Win32_ComputerSystem").at("Manufacturer"),
              InventoryValue("Café €"));
}

TEST(LinuxMachine, FilesThatCannotBeReadWholeAreLeftOutAndNamed) {
    const FakeRoot root({"--dump", smbiosData("systemd/Lenovo-ThinkPad-X280.bin"), "--dmi-id",
                         "sys_vendor=From dmi-id"});
    const auto replace = [&](const char* file, const std::filesystem::path& by) {
        std::filesystem::remove(root.path() / file);
        std::filesystem::create_symlink(by, root.path() / file);
    };
    replace("sys/firmware/dmi/tables/DMI", "/dev/zero");
    replace("proc/cpuinfo", "/dev/zero");
    std::filesystem::remove(root.path() / "proc/sys/kernel/arch");
    std::filesystem::create_directories(root.path() / "proc/sys/kernel/arch");

    const MachineReading reading = readMachine(MachineRoot(root.path()));
    const auto noticed = [&](const std::string& notice) {
        const auto& all = reading.sources.notices;
        return std::find(all.begin(), all.end(), notice) != all.end();
    };
    EXPECT_TRUE(noticed((root.path() / "sys/firmware/dmi/tables/DMI").string() +
                        ": larger than 16 MiB; not used"));
    EXPECT_TRUE(
        noticed((root.path() / "proc/cpuinfo").string() + ": larger than 16 MiB; not used"));
    EXPECT_TRUE(noticed((root.path() / "proc/sys/kernel/arch").string() +
                        ": is a directory, not a file; not used"));
    EXPECT_EQ(only(reading.table, "Win32_ComputerSystem").at("Manufacturer"),
              InventoryValue("From dmi-id"));
    EXPECT_TRUE(reading.table.objects("Win32_Processor").empty());
}

TEST(LinuxMachine, ImpossibleFrequenciesAreUnknownAndNamed) {
    const FakeRoot root({"--cpu", "CPU|Vendor|nan"});
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/base_frequency", "9223372036854775807\n");
    const MachineReading reading = readMachine(MachineRoot(root.path()));
    EXPECT_TRUE(only(reading.table, "Win32_Processor").at("CurrentClockSpeed").isNull());
    EXPECT_EQ(reading.sources.notices.size(), 3u)
        << "cpu MHz once for both logical processors, the base frequency, the module details";
    EXPECT_EQ(reading.sources.notices.at(1),
              (root.path() / "sys/devices/system/cpu/cpu0/cpufreq/base_frequency").string() +
                  " holds \"9223372036854775807\", not a frequency in kHz; it is not used");
}

TEST(LinuxMachine, NumbersPastTheirDeclaredTypeAreUnknownAndNamed) {
    const FakeRoot root({});
    root.write("/sys/devices/system/cpu/cpu0/cpufreq/base_frequency", "5000000000000\n");
    root.write("/run/udev/data/+dmi:id",
               "E:MEMORY_ARRAY_NUM_DEVICES=70000\nE:MEMORY_ARRAY_MAX_CAPACITY=4398046511104\n");
    const MachineReading reading = readMachine(MachineRoot(root.path()));
    EXPECT_TRUE(only(reading.table, "Win32_Processor").at("CurrentClockSpeed").isNull());
    const PropertyMap& array = only(reading.table, "Win32_PhysicalMemoryArray");
    EXPECT_TRUE(array.at("MemoryDevices").isNull());
    EXPECT_TRUE(array.at("MaxCapacity").isNull()) << "4 TiB is 2^32 KiB";
    const auto noticed = [&](const std::string& notice) {
        return std::ranges::count(reading.sources.notices, notice) == 1;
    };
    EXPECT_TRUE(
        noticed("Win32_Processor.CurrentClockSpeed would be 5000000000, not a whole "
                "number from 0 to 4294967295; it is taken as unknown"));
    EXPECT_TRUE(
        noticed("Win32_PhysicalMemoryArray.MemoryDevices would be 70000, not a whole "
                "number from 0 to 65535; it is taken as unknown"));
    EXPECT_TRUE(
        noticed("Win32_PhysicalMemoryArray.MaxCapacity would be 4294967296, not a whole "
                "number from 0 to 4294967295; it is taken as unknown"));
}

TEST(LinuxMachine, TheArchitectureFileIsDecodedLikeAnyText) {
    const FakeRoot root({});
    root.write("/proc/sys/kernel/arch", "x86_64\xE9\n");
    EXPECT_EQ(
        only(readMachine(MachineRoot(root.path())).table, "Win32_ComputerSystem").at("SystemType"),
        InventoryValue("x86_64\u00e9"));
}

TEST(LinuxMachine, DeviceTreeModelNamesBoardsWithoutDmi) {
    const FakeRoot root({"--arch", "aarch64"});
    root.write("/proc/device-tree/model", std::string("Raspberry Pi 4 Model B Rev 1.4\0", 31));
    EXPECT_EQ(only(readMachine(MachineRoot(root.path())).table, "Win32_ComputerSystem").at("Model"),
              InventoryValue("Raspberry Pi 4 Model B Rev 1.4"));
}

}  // namespace
}  // namespace kestrel::linux_machine
