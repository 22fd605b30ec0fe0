// Every dump of real firmware in tests/data/smbios, decoded and compared field by field with
// dmidecode's decoding of the same file: the one shipped beside it, and dmidecode run now; and
// the memory makers kestrel-scan reports for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dmidecode_decoding.h"
#include "platform/smbios/smbios_classes.h"
#include "print_value.h"
#include "process_runner.h"

namespace kestrel::smbios::test {
namespace {

const std::filesystem::path kCorpus = KESTREL_TEST_DATA "/smbios";

std::string readFile(const std::filesystem::path& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

void expectSameAsDmidecode(const ManagementTable& ours, const std::string& dmidecodeText) {
    const ManagementTable theirs = classesFromDmidecode(dmidecodeText);
    ASSERT_FALSE(theirs.objects("Win32_PhysicalMemory").empty()) << "nothing to compare";
    for (const auto& difference : differences(ours, theirs)) ADD_FAILURE() << difference;
}

// A dump and the makers its report names on the "Memory Manufacturer: " line.
struct Dump {
    const char* file;
    const char* memoryMakers;
};

class CorpusDump : public ::testing::TestWithParam<Dump> {
  protected:
    std::filesystem::path dump() const { return kCorpus / GetParam().file; }
};

TEST_P(CorpusDump, DecodesWholeAndMatchesTheShippedDmidecodeDecoding) {
    const Table table = readDumpFile(dump());
    EXPECT_FALSE(table.damage) << *table.damage;
    expectSameAsDmidecode(classesFromTable(table), readFile(dump().string() + ".dmidecode.txt"));
}

TEST_P(CorpusDump, MatchesDmidecodeRunNow) {
    const auto decoded = dmidecodeNow(dump());
    if (!decoded) GTEST_SKIP() << "dmidecode cannot run here";
    expectSameAsDmidecode(classesFromTable(readDumpFile(dump())), *decoded);
}

TEST_P(CorpusDump, ReportNamesTheModulesMakers) {
    const auto run = kestrel::test::runProcess(KESTREL_SCAN, {"--from-dump", dump().string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string line =
        std::string("\r\nMemory Manufacturer: ") + GetParam().memoryMakers + "\r\n";
    EXPECT_NE(run.out.find(line), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Smbios, CorpusDump,
    ::testing::Values(Dump{"systemd/HP-Z600.bin", "SK Hynix"},
                      Dump{"systemd/Lenovo-ThinkPad-X280.bin", ""},
                      Dump{"systemd/Lenovo-Thinkcentre-m720s.bin", "Samsung, Crucial"},
                      Dump{"infrasim/dell_c6320_smbios.bin", "Samsung"},
                      Dump{"infrasim/dell_r630_smbios.bin", "Samsung"},
                      Dump{"infrasim/dell_r730_smbios.bin", "SK Hynix"},
                      Dump{"infrasim/dell_r730xd_smbios.bin", "SK Hynix"},
                      Dump{"infrasim/dell_r740xd_smbios.bin", "SK Hynix"},
                      Dump{"infrasim/quanta_d51_smbios.bin", "Samsung"},
                      Dump{"infrasim/quanta_t41_smbios.bin", "Samsung"},
                      Dump{"infrasim/s2600kp_smbios.bin", "Micron"},
                      Dump{"infrasim/s2600tp_smbios.bin", "Micron"},
                      Dump{"infrasim/s2600wtt_smbios.bin", "Micron"},
                      Dump{"qemu/qemu-pc-i440fx-smbios32.bin", "QEMU"},
                      Dump{"qemu/qemu-q35-smbios64-oddstrings.bin", "Müller RAM"}),
    [](const auto& dump) {
        std::string name = std::filesystem::path(dump.param.file).stem().string();
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

TEST(CorpusRaw, SysfsPairsAndTheBareTableDecodeLikeTheirDumps) {
    const auto bytes = [](const std::string& s) {
        return std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    };
    for (const std::string name : {"qemu-pc-i440fx-smbios32", "qemu-q35-smbios64-oddstrings"}) {
        const Table dump = readDumpFile(kCorpus / "qemu" / (name + ".bin"));
        const Table sysfs =
            decode(bytes(readFile(kCorpus / "qemu/raw" / (name + ".smbios_entry_point"))),
                   bytes(readFile(kCorpus / "qemu/raw" / (name + ".DMI"))));
        EXPECT_EQ(sysfs.structures, dump.structures) << name;
        EXPECT_EQ(sysfs.entryPoint.minorVersion, dump.entryPoint.minorVersion) << name;
        EXPECT_EQ(sysfs.entryPoint.is64Bit, dump.entryPoint.is64Bit) << name;
    }
    const std::string dump = readFile(kCorpus / "infrasim/s2600kp_smbios.bin");
    const std::string bare = readFile(kCorpus / "infrasim/raw/s2600kp_smbios.table-only.bin");
    EXPECT_EQ(decode(bytes(dump).first(0x1F), bytes(bare)).structures,
              decodeDump(bytes(dump)).structures);
}

// What the corpus README points out, pinned by value rather than through dmidecode's text.
TEST(CorpusFacts, LayoutFollowsLengthsNotVersions) {
    const Table x280 = readDumpFile(kCorpus / "systemd/Lenovo-ThinkPad-X280.bin");
    EXPECT_TRUE(x280.entryPoint.is64Bit);
    EXPECT_EQ(std::ranges::count_if(x280.structures, [](auto& s) { return s.type() == 126; }), 0);

    const auto c6320 = classesFromTable(readDumpFile(kCorpus / "infrasim/dell_c6320_smbios.bin"));
    EXPECT_EQ(c6320.objects("Win32_PhysicalMemory")[0].at("Capacity"),
              InventoryValue(std::int64_t{32} << 30))
        << "Extended Size";
    const auto m720s =
        classesFromTable(readDumpFile(kCorpus / "systemd/Lenovo-Thinkcentre-m720s.bin"));
    EXPECT_EQ(m720s.objects("Win32_PhysicalMemory")[0].at("Speed"), InventoryValue(2667))
        << "a 3.2 table with 2.8-length records";
}

TEST(CorpusFacts, StringsKeepTheFirmwaresBytesLessTrailingBlanks) {
    const auto q35 =
        classesFromTable(readDumpFile(kCorpus / "qemu/qemu-q35-smbios64-oddstrings.bin"));
    EXPECT_EQ(q35.objects("Win32_ComputerSystem")[0].at("Model"), InventoryValue("Prüfstand №3"));
    EXPECT_EQ(q35.objects("Win32_PhysicalMemory")[0].at("Manufacturer"),
              InventoryValue("Müller RAM"));
    EXPECT_EQ(q35.objects("Win32_ComputerSystemProduct")[0].at("Version"), InventoryValue(""));
    EXPECT_EQ(q35.objects("Win32_ComputerSystemProduct")[0].at("IdentifyingNumber"),
              InventoryValue("To Be Filled By O.E.M."))
        << "placeholders are the scan's business";
}

}  // namespace
}  // namespace kestrel::smbios::test
