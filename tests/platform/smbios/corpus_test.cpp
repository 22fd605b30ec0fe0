// Every dump of real firmware in tests/data/smbios, decoded and compared field by field with
// dmidecode's decoding of the same file: the one shipped beside it, and dmidecode run now.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dmidecode_text.h"
#include "expected_classes.h"
#include "inventory/error.h"
#include "platform/smbios/smbios_classes.h"
#include "platform/smbios/smbios_table.h"
#include "print_value.h"
#include "process_runner.h"

namespace kestrel::smbios::test {
namespace {

const std::filesystem::path kCorpus = KESTREL_TEST_DATA "/smbios";

const char* const kDumps[] = {
    "systemd/HP-Z600.bin",
    "systemd/Lenovo-ThinkPad-X280.bin",
    "systemd/Lenovo-Thinkcentre-m720s.bin",
    "infrasim/dell_c6320_smbios.bin",
    "infrasim/dell_r630_smbios.bin",
    "infrasim/dell_r730_smbios.bin",
    "infrasim/dell_r730xd_smbios.bin",
    "infrasim/dell_r740xd_smbios.bin",
    "infrasim/quanta_d51_smbios.bin",
    "infrasim/quanta_t41_smbios.bin",
    "infrasim/s2600kp_smbios.bin",
    "infrasim/s2600tp_smbios.bin",
    "infrasim/s2600wtt_smbios.bin",
    "qemu/qemu-pc-i440fx-smbios32.bin",
    "qemu/qemu-q35-smbios64-oddstrings.bin",
};

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file) {
    const std::string text = readText(file);
    return {text.begin(), text.end()};
}

std::optional<std::string> installedDmidecode() {
#ifdef _WIN32
    return std::nullopt;  // a Linux program: a Windows build may see the file but cannot run it
#else
    std::vector<std::string> dirs{"/usr/sbin", "/sbin"};
    if (const char* path = std::getenv("PATH")) {
        std::istringstream entries(path);
        for (std::string dir; std::getline(entries, dir, ':');) dirs.push_back(dir);
    }
    for (const auto& dir : dirs) {
        const std::string candidate = dir + "/dmidecode";
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
#endif
}

void expectSameAsDmidecode(const ManagementTable& ours, const std::string& dmidecodeText) {
    const ManagementTable expected = classesFromDmidecode(parseDmidecode(dmidecodeText));
    ASSERT_FALSE(expected.objects("Win32_PhysicalMemory").empty()) << "nothing to compare";
    for (const auto& difference : differences(ours, expected)) ADD_FAILURE() << difference;
}

class CorpusDump : public ::testing::TestWithParam<const char*> {
  protected:
    std::filesystem::path dump() const { return kCorpus / GetParam(); }
};

TEST_P(CorpusDump, DecodesWholeAndMatchesTheShippedDmidecodeDecoding) {
    const Table table = readDumpFile(dump());
    EXPECT_FALSE(table.damage) << *table.damage;
    expectSameAsDmidecode(classesFromTable(table), readText(dump().string() + ".dmidecode.txt"));
}

TEST_P(CorpusDump, MatchesDmidecodeRunNow) {
    const auto dmidecode = installedDmidecode();
    if (!dmidecode) GTEST_SKIP() << "dmidecode is not installed";
    const auto result = kestrel::test::runProcess(
        *dmidecode, {"--from-dump", dump().string(), "-t", "0,1,2,4,16,17"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    expectSameAsDmidecode(classesFromTable(readDumpFile(dump())), result.out);
}

INSTANTIATE_TEST_SUITE_P(Smbios, CorpusDump, ::testing::ValuesIn(kDumps), [](const auto& dump) {
    std::string name = std::filesystem::path(dump.param).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
});

TEST(CorpusRaw, SysfsPairsAndTheBareTableDecodeLikeTheirDumps) {
    for (const char* name : {"qemu-pc-i440fx-smbios32", "qemu-q35-smbios64-oddstrings"}) {
        const Table dump = readDumpFile(kCorpus / "qemu" / (std::string(name) + ".bin"));
        const Table sysfs =
            readSysfs(kCorpus / "qemu/raw" / (std::string(name) + ".smbios_entry_point"),
                      kCorpus / "qemu/raw" / (std::string(name) + ".DMI"));
        EXPECT_EQ(sysfs.structures, dump.structures) << name;
        EXPECT_EQ(sysfs.entryPoint.majorVersion, dump.entryPoint.majorVersion);
        EXPECT_EQ(sysfs.entryPoint.minorVersion, dump.entryPoint.minorVersion);
        EXPECT_EQ(sysfs.entryPoint.is64Bit, dump.entryPoint.is64Bit);
        EXPECT_NE(sysfs.entryPoint.tableAddress, dump.entryPoint.tableAddress)
            << "the kernel's copy keeps the physical address";
        EXPECT_FALSE(sysfs.damage);
    }
    const auto dumpBytes = readBytes(kCorpus / "infrasim/s2600kp_smbios.bin");
    const auto bare = readBytes(kCorpus / "infrasim/raw/s2600kp_smbios.table-only.bin");
    EXPECT_EQ(decode(std::span(dumpBytes).first(0x1F), bare).structures,
              readDumpFile(kCorpus / "infrasim/s2600kp_smbios.bin").structures);
    EXPECT_THROW(readDumpFile(kCorpus / "infrasim/raw/s2600kp_smbios.table-only.bin"), Error);
}

// Facts the README of the corpus points out, pinned by value rather than through dmidecode.
ManagementTable classesOf(const char* dump) {
    return classesFromTable(readDumpFile(kCorpus / dump));
}

std::vector<InventoryValue> column(const ManagementTable& classes, const char* className,
                                   const char* property) {
    std::vector<InventoryValue> values;
    for (const auto& object : classes.objects(className)) values.push_back(object.at(property));
    return values;
}

TEST(CorpusFacts, MemoryThatIsNotRamAndSizesPastTheOldField) {
    const auto z600 = classesOf("systemd/HP-Z600.bin");
    EXPECT_EQ(column(z600, "Win32_PhysicalMemory", "DeviceLocator"),
              (std::vector<InventoryValue>{"CPU0 DIMM1", "CPU0 DIMM2", "CPU1 DIMM1", "CPU1 DIMM2"}))
        << "the flash array's SYSTEM ROM is no RAM";
    EXPECT_EQ(z600.objects("Win32_ComputerSystem")[0].at("TotalPhysicalMemory"),
              InventoryValue(std::int64_t{32} << 30));
    EXPECT_EQ(column(z600, "Win32_PhysicalMemoryArray", "MaxCapacity"),
              (std::vector<InventoryValue>{12582912, 12582912}));

    const auto c6320 = classesOf("infrasim/dell_c6320_smbios.bin");
    EXPECT_EQ(column(c6320, "Win32_PhysicalMemory", "Capacity"),
              std::vector<InventoryValue>(8, InventoryValue(std::int64_t{32} << 30)));

    const auto r730xd = classesOf("infrasim/dell_r730xd_smbios.bin");
    EXPECT_EQ(column(r730xd, "Win32_PhysicalMemoryArray", "MaxCapacity"),
              (std::vector<InventoryValue>{std::int64_t{3} << 30}))
        << "3 TB in kilobytes, from Extended Maximum Capacity";

    const auto r730 = classesOf("infrasim/dell_r730_smbios.bin");
    EXPECT_EQ(column(r730, "Win32_PhysicalMemory", "Speed"),
              (std::vector<InventoryValue>{InventoryValue::null(), InventoryValue::null()}));

    const auto d51 = classesOf("infrasim/quanta_d51_smbios.bin");
    EXPECT_EQ(column(d51, "Win32_PhysicalMemory", "MemoryType"),
              std::vector<InventoryValue>(16, InventoryValue(1)));
    EXPECT_EQ(column(d51, "Win32_PhysicalMemoryArray", "MemoryDevices"),
              std::vector<InventoryValue>(4, InventoryValue(6)));
}

TEST(CorpusFacts, EntryPointsAndVersionsThatDoNotImplyLayout) {
    const Table x280 = readDumpFile(kCorpus / "systemd/Lenovo-ThinkPad-X280.bin");
    EXPECT_TRUE(x280.entryPoint.is64Bit);
    EXPECT_EQ(x280.entryPoint.majorVersion, 3);
    for (const auto& s : x280.structures) EXPECT_NE(s.type(), 126) << "inactive structures skipped";
    EXPECT_EQ(classesOf("systemd/Lenovo-ThinkPad-X280.bin")
                  .objects("Win32_ComputerSystem")[0]
                  .at("SystemType"),
              InventoryValue("x64-based PC"));

    const Table m720s = readDumpFile(kCorpus / "systemd/Lenovo-Thinkcentre-m720s.bin");
    EXPECT_EQ(m720s.entryPoint.minorVersion, 2);
    for (const auto& s : m720s.structures) {
        if (s.type() == 17) {
            EXPECT_EQ(s.length(), 40u) << "a 3.2 table with 2.8-length records";
        }
    }
    EXPECT_EQ(
        column(classesOf("systemd/Lenovo-Thinkcentre-m720s.bin"), "Win32_PhysicalMemory", "Speed"),
        (std::vector<InventoryValue>{2667, 2400, 2400}));

    const Table r740xd = readDumpFile(kCorpus / "infrasim/dell_r740xd_smbios.bin");
    EXPECT_FALSE(r740xd.entryPoint.is64Bit);
    EXPECT_EQ(r740xd.entryPoint.majorVersion, 3) << "3.0 announced by a 32-bit entry point";
}

TEST(CorpusFacts, StringsAsTheFirmwareWroteThemLessTrailingBlanks) {
    const auto q35 = classesOf("qemu/qemu-q35-smbios64-oddstrings.bin");
    EXPECT_EQ(q35.objects("Win32_ComputerSystem")[0].at("Model"), InventoryValue("Prüfstand №3"));
    EXPECT_EQ(q35.objects("Win32_ComputerSystem")[0].at("Manufacturer"),
              InventoryValue("Kestrel Testwerk GmbH"));
    EXPECT_EQ(q35.objects("Win32_ComputerSystemProduct")[0].at("Version"), InventoryValue(""));
    EXPECT_EQ(q35.objects("Win32_ComputerSystemProduct")[0].at("IdentifyingNumber"),
              InventoryValue("To Be Filled By O.E.M."))
        << "placeholders are the scan's business";
    EXPECT_EQ(q35.objects("Win32_PhysicalMemory")[0].at("Manufacturer"),
              InventoryValue("Müller RAM"));
    EXPECT_EQ(q35.objects("Win32_Baseboard")[0].at("Product"), InventoryValue(""));

    const auto i440fx = classesOf("qemu/qemu-pc-i440fx-smbios32.bin");
    EXPECT_TRUE(i440fx.objects("Win32_Baseboard").empty()) << "no Type 2, no board";
    EXPECT_TRUE(i440fx.objects("Win32_ComputerSystemProduct")[0].at("IdentifyingNumber").isNull());
    EXPECT_EQ(i440fx.objects("Win32_PhysicalMemory")[0].at("MemoryType"), InventoryValue(9));

    EXPECT_EQ(classesOf("infrasim/quanta_t41_smbios.bin")
                  .objects("Win32_Bios")[0]
                  .at("SMBIOSBIOSVersion"),
              InventoryValue("S2S_3A14"));
}

}  // namespace
}  // namespace kestrel::smbios::test
