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

std::size_t crLfLines(const std::string& report) {
    std::size_t lines = 0;
    for (auto at = report.find("\r\n"); at != std::string::npos; at = report.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

TEST(Report, EmptyClassesLeaveBareLabelsAndTheShapeStays) {
    ScanRun scan(R"({"Win32_PhysicalMemoryArray": [{"MaxCapacity": 0, "MemoryDevices": null}],
                     "Win32_Processor": [{"Name": "  Padded CPU ", "Manufacturer": null,
                                          "CurrentClockSpeed": null, "ExtClock": null}]})");
    scan.run();
    const std::string& report = scan.inventory.reportText;
    EXPECT_EQ(crLfLines(report), 35u);
    EXPECT_TRUE(report.ends_with("\r\nSlots: \r\n"));
    EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1) << "every line ends in CR LF";
    EXPECT_NE(report.find("\r\nMother Board Manufacturer: \r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\nProcessor:   Padded CPU \r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\nInstalled RAM: 0 MB\r\nMaximum RAM: 0 MB\r\nTotal Slots: \r\n"),
              std::string::npos);
}

TEST(Report, ControlCharactersInValuesBecomeBlanksSoNoLineIsForged) {
    ScanRun scan(R"({"Win32_Bios": [{"Manufacturer": "Evil\r\n****Bios****\u001b[2J\u007f",
                                     "SMBIOSBIOSVersion": 1.5}],
                     "Win32_ComputerSystem": [{"Manufacturer": "A\r\nModel: FORGED",
                         "Model": "M\tN", "SystemType": "x", "TotalPhysicalMemory": 0}],
                     "Win32_PhysicalMemory": [{"Capacity": 0, "Speed": 1, "MemoryType": 2,
                         "DeviceLocator": "D\n1", "Manufacturer": "X\u001b[2J"}]})");
    scan.run();
    const std::string& report = scan.inventory.reportText;
    EXPECT_EQ(crLfLines(report), 35u);
    EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1) << "no line feed but the line ends";
    EXPECT_NE(report.find("\r\nBios: Evil  ****Bios**** [2J \r\nVersion: 1.5\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\nSystem Manufacturer:A  Model: FORGED\r\nSystem Model: M N\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\nSlots: D 1,\r\n"), std::string::npos);
    // Captions and rows show the same blanks; the address keeps every byte, encoded.
    EXPECT_EQ(scan.text(&SystemInventory::biosManufacturer), "Evil  ****Bios**** [2J ");
    EXPECT_EQ(scan.rows(&SystemInventory::ModuleRow::locator), std::vector<std::string>{"D 1"});
    EXPECT_EQ(scan.text(&SystemInventory::memoryMakers), "X [2J") << "the makers' text too";
    EXPECT_NE(scan.inventory.selectorUrl.find("manufacturer%20=%20A%0D%0AModel:%20FORGED&"),
              std::string::npos);
}

}  // namespace
}  // namespace kestrel::test
