// A table built field by field from the published structure layouts, with every field the
// mapping reads set to a value of its own, decoded by dmidecode and by us; and the makers the
// report names for modules that only their Module Manufacturer ID identifies.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "dmidecode_decoding.h"
#include "platform/smbios/smbios_classes.h"
#include "process_runner.h"
#include "record_builder.h"
#include "temp_file.h"

namespace kestrel::smbios::test {
namespace {

constexpr std::uint16_t kArray = 0x1000;

// A memory device of 3.2 (0x54 bytes) or 3.3 (0x5C bytes). Offsets are the published ones.
Record memoryDevice(std::uint16_t handle, std::size_t length, std::uint16_t manufacturerId,
                    const char* manufacturer) {
    return Record(17, handle, length)
        .word(0x04, kArray)
        .word(0x06, 0xFFFE)  // no error information
        .word(0x08, 64)      // total width
        .word(0x0A, 64)      // data width
        .word(0x0C, 8192)    // MB
        .byte(0x0E, 0x09)    // DIMM
        .byte(0x10, 1)       // Device Locator
        .byte(0x11, 2)       // Bank Locator
        .byte(0x12, 0x1A)    // DDR4
        .word(0x13, 0x0080)  // synchronous
        .word(0x15, 3200)    // MT/s
        .byte(0x17, 3)       // Manufacturer
        .byte(0x1A, 4)       // Part Number
        .byte(0x1B, 0x01)    // rank 1
        .word(0x20, 2933)    // Configured Memory Speed
        .word(0x22, 1200)    // minimum voltage, mV
        .word(0x24, 1200)    // maximum voltage
        .word(0x26, 1200)    // configured voltage
        .byte(0x28, 0x03)    // Memory Technology: DRAM
        .word(0x29, 0x0004)  // operating mode: volatile memory
        .byte(0x2B, 5)       // Firmware Version
        .word(0x2C, manufacturerId)
        .word(0x2E, 0x5A31)                      // Module Product ID
        .word(0x30, 0x2C80)                      // Memory Subsystem Controller Manufacturer ID
        .word(0x32, 0x0102)                      // Memory Subsystem Controller Product ID
        .qword(0x3C, std::uint64_t{8192} << 20)  // Volatile Size
        .strings({"DIMM " + std::to_string(handle), "BANK 0", manufacturer, "PART-42", "FW 7"});
}

std::vector<std::uint8_t> builtTable(std::uint64_t maximumCapacityBytes = std::uint64_t{256}
                                                                          << 30) {
    return tableOf({
        Record(0, 0x0000, 0x18)
            .byte(0x04, 1)
            .byte(0x05, 2)
            .byte(0x08, 3)
            .strings({"Firmware Co", "1.2.3", "01/02/2024"}),
        Record(1, 0x0100, 0x1B)
            .byte(0x04, 1)
            .byte(0x05, 2)
            .byte(0x06, 3)
            .byte(0x07, 4)
            .strings({"Machine Co", "Model 9", "Rev A", "SN-123"}),
        Record(2, 0x0200, 0x08).byte(0x04, 1).byte(0x05, 2).strings({"Board Co", "Board 1"}),
        Record(4, 0x0400, 0x2A)
            .byte(0x04, 1)       // Socket Designation
            .byte(0x05, 0x03)    // central processor
            .byte(0x07, 2)       // Processor Manufacturer
            .byte(0x10, 3)       // Processor Version
            .word(0x12, 100)     // External Clock, MHz
            .word(0x14, 4800)    // Max Speed
            .word(0x16, 3600)    // Current Speed
            .byte(0x18, 0x41)    // populated, enabled
            .word(0x26, 0x0004)  // 64-bit capable
            .strings({"CPU0", "ChipCo", "Chip 9000"}),
        Record(16, kArray, 0x17)
            .byte(0x04, 0x03)                                    // system board
            .byte(0x05, 0x03)                                    // system memory
            .byte(0x06, 0x03)                                    // no error correction
            .dword(0x07, 0x80000000)                             // see Extended Maximum Capacity
            .word(0x0B, 0xFFFE)                                  // no error information
            .word(0x0D, 6)                                       // slots
            .qword(0x0F, maximumCapacityBytes),                  // bytes
        memoryDevice(0x1100, 0x54, 0xCE80, "Unknown"),           // Bank 1, Hex 0xCE
        memoryDevice(0x1101, 0x54, 0x9B85, "Not Specified"),     // Bank 6, Hex 0x9B
        memoryDevice(0x1102, 0x5C, 0x9801, "Unknown")            // Bank 2, Hex 0x98
            .byte(0x12, 0x22)                                    // DDR5
            .word(0x0C, 0x7FFF)                                  // see Extended Size
            .dword(0x1C, 32768)                                  // MiB
            .word(0x15, 0xFFFF)                                  // see Extended Speed
            .dword(0x54, 8000)                                   // MT/s
            .dword(0x58, 6400),                                  // Extended Configured Speed
        memoryDevice(0x1103, 0x54, 0, "Unknown").word(0x0C, 0),  // an empty slot
        Record(127, 0xFEFF, 0x04),
    });
}

std::unique_ptr<kestrel::test::TempFile> writtenDump(const std::vector<std::uint8_t>& table) {
    const auto dump = dumpOf(entryPoint64(table.size(), 0x20, 3, 3), table);
    return std::make_unique<kestrel::test::TempFile>(
        std::string_view(reinterpret_cast<const char*>(dump.data()), dump.size()), ".bin");
}

class BuiltDump : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { dump_ = writtenDump(builtTable()).release(); }
    static void TearDownTestSuite() { delete dump_; }
    static kestrel::test::TempFile* dump_;
};
kestrel::test::TempFile* BuiltDump::dump_ = nullptr;

TEST_F(BuiltDump, DmidecodeReadsEveryFieldWhereWeDo) {
    const auto decoded = dmidecodeNow(dump_->path());
    if (!decoded) GTEST_SKIP() << "dmidecode cannot run here";
    // The dump says what it was built to say.
    for (const char* line : {"\tModule Manufacturer ID: Bank 1, Hex 0xCE\n",
                             "\tModule Manufacturer ID: Bank 6, Hex 0x9B\n",
                             "\tModule Manufacturer ID: Bank 2, Hex 0x98\n",
                             "\tFirmware Version: FW 7\n", "\tModule Product ID: 0x5A31\n",
                             "\tSpeed: 8000 MT/s\n", "\tMaximum Capacity: 256 GB\n"}) {
        EXPECT_NE(decoded->find(line), std::string::npos) << line << *decoded;
    }
    const auto ours = classesFromTable(readDumpFile(dump_->path()));
    for (const auto& difference : differences(ours, classesFromDmidecode(*decoded))) {
        ADD_FAILURE() << difference;
    }
}

TEST_F(BuiltDump, ModulesNamedOnlyByTheirCodeGetTheirMakersName) {
    const auto run = kestrel::test::runProcess(KESTREL_SCAN, {"--from-dump", dump_->path()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\r\nMemory Manufacturer: Samsung, Crucial, Kingston\r\n"),
              std::string::npos)
        << run.out;
}

// The extended maximum capacity goes past what the 32-bit count of kilobytes can say: the scan
// still ends with a report, the maximum unknown and a notice naming the property.
TEST(BuiltDumpOfABigServer, AMaximumPastItsWidthIsUnknownWithANotice) {
    const auto dump = writtenDump(builtTable(std::uint64_t{8} << 40));
    const auto run = kestrel::test::runProcess(KESTREL_SCAN, {"--from-dump", dump->path()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("MaxCapacity"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\r\nMaximum RAM: 0 MB\r\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace kestrel::smbios::test
