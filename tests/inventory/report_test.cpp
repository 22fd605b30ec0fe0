#include "inventory/report.h"

#include <gtest/gtest.h>

#include "scan_fixture.h"

namespace kestrel::test {
namespace {

TEST(Report, AcmeMachineByteForByte) {
    ScanRun scan(acmeFixture());
    scan.run();
    EXPECT_EQ(scan.inventory.reportText,
              "************System**********\r\n"
              "\r\n"
              "System Manufacturer:Acme Computers\r\n"
              "System Model: AC-22\r\n"
              "System Version: Rev 1.0\r\n"
              "IdentifyingNumber: ACME-SN-A1\r\n"
              "System Type: X86-based PC\r\n"
              "\r\n"
              "************Motherboard**********\r\n"
              "\r\n"
              "Mother Board Manufacturer: Acme Computers\r\n"
              "Motherboard Model: MB-22\r\n"
              "\r\n"
              "************Processor**********\r\n"
              "\r\n"
              "Processor: Example CPU 2.4GHz\r\n"
              "Processor Manufacturer: ExampleChips\r\n"
              "Processor Speed: 2400\r\n"
              "Processor FSB: 200\r\n"
              "\r\n"
              "************Bios**********\r\n"
              "\r\n"
              "Bios: Example BIOS Ltd\r\n"
              "Version: 1.02\r\n"
              "\r\n"
              "************Memory Details**********\r\n"
              "\r\n"
              "Memory Manufacturer: Acme RAM\r\n"
              "Installed RAM: 2 GB\r\n"
              "Maximum RAM: 4 GB\r\n"
              "Total Slots: 4\r\n"
              "Capacity: 1024 MB,1024 MB,\r\n"
              "Memory Type: 21,21,\r\n"
              "Speed: 667 MHz,667 MHz,\r\n"
              "Slots: DIMM 1,DIMM 2,\r\n");
}

TEST(Report, EmptyClassesLeaveBareLabelsAndTheShapeStays) {
    ScanRun scan(R"({"Win32_PhysicalMemoryArray": [{"MaxCapacity": 0, "MemoryDevices": null}],
                     "Win32_Processor": [{"Name": "  Padded CPU ", "Manufacturer": null,
                                          "CurrentClockSpeed": null, "ExtClock": null}]})");
    scan.run();
    const std::string& report = scan.inventory.reportText;
    std::size_t lines = 0;
    for (std::size_t at = report.find("\r\n"); at != std::string::npos;
         at = report.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 35u);
    EXPECT_TRUE(report.ends_with("\r\nSlots: \r\n"));
    EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1) << "every line ends in CR LF";
    EXPECT_NE(report.find("\r\nMother Board Manufacturer: \r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\nProcessor:   Padded CPU \r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\nInstalled RAM: 0 MB\r\nMaximum RAM: 0 MB\r\nTotal Slots: \r\n"),
              std::string::npos);
}

TEST(Report, ValuesAreCopiedUnchangedEvenWhenTheyLookLikeStructure) {
    ScanRun scan(
        R"({"Win32_Bios": [{"Manufacturer": "Evil\r\n****Bios****", "SMBIOSBIOSVersion": 1.5}]})");
    scan.run();
    EXPECT_NE(scan.inventory.reportText.find("Bios: Evil\r\n****Bios****\r\nVersion: 1.5\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace kestrel::test
