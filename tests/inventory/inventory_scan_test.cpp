#include "inventory/inventory_scan.h"

#include <gtest/gtest.h>

#include <map>

#include "error_text.h"
#include "inventory/error.h"
#include "scan_fixture.h"

namespace kestrel::test {
namespace {

using Rows = std::vector<std::string>;
using R = SystemInventory;
using Row = SystemInventory::ModuleRow;

TEST(Scan, AcmeTexts) {
    ScanRun scan(acmeFixture());
    scan.run();
    EXPECT_EQ(scan.text(&R::systemManufacturer), "Acme Computers");
    EXPECT_EQ(scan.text(&R::productVendor), "Acme Computers");
    EXPECT_EQ(scan.text(&R::processorClockSpeed), "2400");
    EXPECT_EQ(scan.text(&R::processorExtClock), "200");
    EXPECT_EQ(scan.text(&R::memoryMakers), "Acme RAM");
    EXPECT_EQ(scan.text(&R::installedMemoryText), "2 GB");
    EXPECT_EQ(scan.text(&R::maximumMemoryText), "4 GB");
    EXPECT_EQ(scan.text(&R::slotSummaryText), "4  (Currently Memory in 2 Slots)");
}

TEST(ModuleLists, TwoModulesFillListsAndRunningTexts) {
    ScanRun scan(R"({
        "Win32_PhysicalMemoryArray": [{"MaxCapacity": 33554432, "MemoryDevices": 4}],
        "Win32_PhysicalMemory": [
          {"Capacity": "4294967296", "Speed": 1333, "MemoryType": 24, "DeviceLocator": "DIMM0",
           "Manufacturer": "Samsung"},
          {"Capacity": 2147483648, "Speed": 1333, "MemoryType": 24, "DeviceLocator": "DIMM2",
           "Manufacturer": null}]})");
    scan.run();
    const SystemInventory& inv = scan.inventory;
    EXPECT_EQ(inv.moduleCapacities, InventoryValue("4096 MB,2048 MB,"));
    EXPECT_EQ(inv.moduleMemoryTypes, InventoryValue("24,24,"));
    EXPECT_EQ(inv.moduleSpeeds, InventoryValue("1333 MHz,1333 MHz,"));
    EXPECT_EQ(inv.moduleLocators, InventoryValue("DIMM0,DIMM2,"));
    EXPECT_EQ(inv.moduleManufacturers, InventoryValue("Samsung,,"));
    EXPECT_EQ(inv.moduleCount, 2);
    EXPECT_EQ(scan.rows(&Row::locator), (Rows{"DIMM0", "DIMM2"}));
    EXPECT_EQ(scan.rows(&Row::size), (Rows{"4096 MB", "2048 MB"}));
    EXPECT_EQ(scan.rows(&Row::speed), (Rows{"1333 MHz", "1333 MHz"}));
    EXPECT_EQ(scan.text(&R::maximumMemoryText), "32 GB");
    EXPECT_EQ(scan.text(&R::slotSummaryText), "4  (Currently Memory in 2 Slots)");
}

TEST(ModuleLists, NullSpeedAndCapacityGiveBareUnitsAndOddSizesKeepTheirDecimals) {
    ScanRun scan(R"({"Win32_PhysicalMemory": [
          {"Capacity": 1000000000, "Speed": null, "MemoryType": 0, "DeviceLocator": "A",
           "Manufacturer": "M"},
          {"Capacity": null, "Speed": 800, "MemoryType": 0, "DeviceLocator": "B",
           "Manufacturer": "M"}]})");
    scan.run();
    EXPECT_EQ(scan.inventory.moduleCapacities, InventoryValue("953.67431640625 MB, MB,"));
    EXPECT_EQ(scan.inventory.moduleSpeeds, InventoryValue(" MHz,800 MHz,"));
    EXPECT_EQ(scan.rows(&Row::size), (Rows{"953.67431640625 MB", " MB"}));
    EXPECT_EQ(scan.rows(&Row::speed), (Rows{" MHz", "800 MHz"}));
}

TEST(ModuleLists, MakersAreNamedOnceInModuleOrderAndTheRawTextsKept) {
    ScanRun scan(R"({"Win32_PhysicalMemory": [
          {"Capacity": 1, "Speed": 1, "MemoryType": 0, "DeviceLocator": "A",
           "Manufacturer": "00AD00B300AD"},
          {"Capacity": 1, "Speed": 1, "MemoryType": 0, "DeviceLocator": "B"},
          {"Capacity": 1, "Speed": 1, "MemoryType": 0, "DeviceLocator": "C",
           "Manufacturer": "Not Specified", "ModuleManufacturerID": "80CE"},
          {"Capacity": 1, "Speed": 1, "MemoryType": 0, "DeviceLocator": "D",
           "Manufacturer": "SK HYNIX"},
          {"Capacity": 1, "Speed": 1, "MemoryType": 0, "DeviceLocator": "E",
           "Manufacturer": null}]})");
    ASSERT_NO_THROW(scan.run()) << "a module without a maker property is no error";
    EXPECT_EQ(scan.text(&R::memoryMakers), "SK Hynix, Samsung");
    EXPECT_NE(scan.inventory.reportText.find("\r\nMemory Manufacturer: SK Hynix, Samsung\r\n"),
              std::string::npos);
    EXPECT_EQ(scan.inventory.moduleManufacturers,
              InventoryValue("00AD00B300AD,,Not Specified,SK HYNIX,,"));

    ScanRun placeholders(R"({"Win32_PhysicalMemory": [
          {"Capacity": 1, "Speed": 1, "MemoryType": 0, "DeviceLocator": "A",
           "Manufacturer": "0000"}]})");
    placeholders.run();
    EXPECT_EQ(placeholders.text(&R::memoryMakers), "");
    EXPECT_NE(placeholders.inventory.reportText.find("\r\nMemory Manufacturer: \r\n"),
              std::string::npos);
}

TEST(ModuleLists, AMachineWithoutModulesHasNoRows) {
    ScanRun scan("{}");
    scan.run();
    EXPECT_TRUE(scan.inventory.moduleRows.empty());
    EXPECT_EQ(scan.text(&R::slotSummaryText), "  (Currently Memory in 0 Slots)");
}

TEST(PlaceholderFilter, FiveFieldsContainingSystemBecomeNotAvailable) {
    ScanRun scan(R"({
        "Win32_ComputerSystem": [{"Manufacturer": "System manufacturer", "Model": "MySystemBox",
                                  "SystemType": "System x64", "TotalPhysicalMemory": 0}],
        "Win32_ComputerSystemProduct": [{"IdentifyingNumber": "System Serial Number",
                                         "Vendor": "SYSTEM VENDOR", "Version": "System Version"}],
        "Win32_Processor": [{"Name": "System CPU", "Manufacturer": "x", "CurrentClockSpeed": 1,
                             "ExtClock": 1}],
        "Win32_Baseboard": [{"Manufacturer": "System maker", "Product": "Board"}]})");
    scan.run();
    EXPECT_EQ(scan.text(&R::systemManufacturer), "Not Available");
    EXPECT_EQ(scan.text(&R::systemModel), "Not Available");
    EXPECT_EQ(scan.text(&R::productVersion), "Not Available");
    EXPECT_EQ(scan.text(&R::productIdentifyingNumber), "Not Available");
    EXPECT_EQ(scan.text(&R::productVendor), "SYSTEM VENDOR");
    EXPECT_EQ(scan.text(&R::systemType), "System x64");
    EXPECT_EQ(scan.text(&R::processorName), "System CPU");
    EXPECT_EQ(scan.text(&R::boardManufacturer), "System maker");
    EXPECT_NE(scan.inventory.selectorUrl.find("manufacturer%20=%20Not%20Available&mdlname=Board&"),
              std::string::npos);
}

TEST(NullValues, NeverEndTheScanAndShowAsBlank) {
    ScanRun scan(R"({
        "Win32_ComputerSystem": [
          {"Manufacturer": "A", "Model": null, "SystemType": null, "TotalPhysicalMemory": 8480157696},
          {"Manufacturer": "B", "Model": null, "SystemType": null, "TotalPhysicalMemory": null}],
        "Win32_PhysicalMemoryArray": [{"MaxCapacity": null, "MemoryDevices": null}],
        "Win32_PhysicalMemory": [{"Capacity": null, "Speed": null, "MemoryType": null,
                                  "DeviceLocator": null, "Manufacturer": null}],
        "Win32_ComputerSystemProduct": [{"IdentifyingNumber": null, "Vendor": null, "Version": null}]})");
    EXPECT_NO_THROW(scan.run());
    EXPECT_EQ(scan.text(&R::systemManufacturer), "B");
    EXPECT_EQ(scan.text(&R::systemModel), "");
    EXPECT_EQ(scan.text(&R::productIdentifyingNumber), "");
    EXPECT_EQ(scan.text(&R::installedMemoryText), "7.9 GB") << "a Null size keeps the earlier one";
    EXPECT_EQ(scan.text(&R::maximumMemoryText), "0 MB");
    EXPECT_EQ(scan.text(&R::slotSummaryText), "  (Currently Memory in 1 Slots)");
    EXPECT_TRUE(scan.inventory.memorySlots.isNull());
    EXPECT_EQ(scan.rows(&Row::locator), (Rows{""}));
    EXPECT_EQ(scan.inventory.moduleLocators, InventoryValue(","));
}

TEST(MemoryArrays, SeveralArraysAddUp) {
    ScanRun scan(R"({"Win32_PhysicalMemoryArray": [
        {"MaxCapacity": 100663296, "MemoryDevices": 3},
        {"MaxCapacity": null, "MemoryDevices": null},
        {"MaxCapacity": "100663296", "MemoryDevices": "3"}]})");
    scan.run();
    EXPECT_DOUBLE_EQ(scan.inventory.maximumMemoryGB, 192.0);
    EXPECT_EQ(scan.inventory.memorySlots, InventoryValue(std::int64_t{6}));
    EXPECT_EQ(scan.text(&R::maximumMemoryText), "192 GB");

    ScanRun small(R"({"Win32_PhysicalMemoryArray": [{"MaxCapacity": 262144, "MemoryDevices": 1},
                                                    {"MaxCapacity": 131072, "MemoryDevices": 1}]})");
    small.run();
    EXPECT_EQ(small.text(&R::maximumMemoryText), "384 MB");

    ScanRun none("{}");
    none.run();
    EXPECT_TRUE(none.inventory.memorySlots.isEmpty());
}

TEST(MemoryFigures, MaxCapacityWorkedValues) {
    for (const auto& [kilobytes, text] : std::vector<std::pair<const char*, const char*>>{
             {"33554432", "32 GB"}, {"4194304", "4 GB"}, {"524288", "512 MB"}, {"0", "0 MB"}}) {
        ScanRun scan(std::string(R"({"Win32_PhysicalMemoryArray": [{"MaxCapacity": )") + kilobytes +
                     R"(, "MemoryDevices": 1}]})");
        scan.run();
        EXPECT_EQ(scan.text(&R::maximumMemoryText), text) << kilobytes;
    }
}

TEST(DecimalComma, NumbersInCaptionsReportAndAddressUseTheSeparator) {
    ScanRun scan(R"({
        "Win32_ComputerSystem": [{"Manufacturer": "A", "Model": "M", "SystemType": "T",
                                  "TotalPhysicalMemory": 8480157696}],
        "Win32_PhysicalMemory": [{"Capacity": 1000000000, "Speed": 667, "MemoryType": 1,
                                  "DeviceLocator": "D", "Manufacturer": "X"}]})",
                 ",");
    scan.run();
    EXPECT_EQ(scan.text(&R::installedMemoryText), "7,9 GB");
    EXPECT_EQ(scan.rows(&Row::size), (Rows{"953,67431640625 MB"}));
    EXPECT_NE(scan.inventory.reportText.find("Installed RAM: 7,9 GB\r\n"), std::string::npos);
    EXPECT_NE(scan.inventory.selectorUrl.find("&memorysize=953,67431640625%20MB,&"),
              std::string::npos);
}

TEST(ScanErrors, NameTheClassPropertyAndValue) {
    const auto errorOf = [](const std::string& json) {
        return test::errorOf([&] { ScanRun(json).run(); });
    };
    EXPECT_EQ(errorOf(R"({"Win32_ComputerSystem": [{"Manufacturer": "A", "Model": "B",
                           "TotalPhysicalMemory": "lots", "SystemType": "x"}]})"),
              "Win32_ComputerSystem.TotalPhysicalMemory = \"lots\": type mismatch: \"lots\" is "
              "not a number");
    EXPECT_EQ(errorOf(R"({"Win32_Bios": [{"Manufacturer": "A"}]})"),
              "Win32_Bios has no property \"SMBIOSBIOSVersion\"");
    EXPECT_EQ(
        errorOf(R"({"Win32_PhysicalMemoryArray": [{"MaxCapacity": 1, "MemoryDevices": "four"}]})"),
        "Win32_PhysicalMemoryArray.MemoryDevices = \"four\": type mismatch: \"four\" is not "
        "a number");
}

TEST(ScanErrors, ANumberPastTheTypeDeclaredForItIsAnError) {
    // Each size, speed, count or code where it cannot come from a machine, whether it arrives
    // as an integer, a double or text.
    const auto scanError = [](const std::string& className, const std::string& property,
                              const std::string& value) {
        // One object of the class with sound values, but for the property under test.
        std::map<std::string, std::map<std::string, std::string>> objects{
            {"Win32_ComputerSystem",
             {{"Manufacturer", "\"A\""},
              {"Model", "\"B\""},
              {"SystemType", "\"x\""},
              {"TotalPhysicalMemory", "1"}}},
            {"Win32_PhysicalMemoryArray", {{"MaxCapacity", "1"}, {"MemoryDevices", "1"}}},
            {"Win32_PhysicalMemory",
             {{"Capacity", "1"}, {"MemoryType", "1"}, {"Speed", "1"}, {"DeviceLocator", "\"D\""}}},
            {"Win32_Processor",
             {{"Name", "\"N\""},
              {"Manufacturer", "\"M\""},
              {"CurrentClockSpeed", "1"},
              {"ExtClock", "1"}}}};
        auto& object = objects.at(className);
        object[property] = value;
        std::string json = "{\"" + className + "\": [{";
        for (const auto& [name, text] : object) json += "\"" + name + "\": " + text + ",";
        json.back() = '}';
        return errorOf([&] { ScanRun(json + "]}").run(); });
    };
    struct Case {
        const char* className;
        const char* property;
        const char* value;
        const char* largest;
    };
    for (const Case& c : std::vector<Case>{
             {"Win32_ComputerSystem", "TotalPhysicalMemory", R"("1e308")", "18446744073709551615"},
             {"Win32_ComputerSystem", "TotalPhysicalMemory", "18446744073709551616",
              "18446744073709551615"},
             {"Win32_ComputerSystem", "TotalPhysicalMemory", R"("18446744073709551616")",
              "18446744073709551615"},
             {"Win32_PhysicalMemory", "Capacity", "-1048576", "18446744073709551615"},
             {"Win32_PhysicalMemory", "Capacity", "1048576.5", "18446744073709551615"},
             {"Win32_PhysicalMemoryArray", "MaxCapacity", R"("1e308")", "4294967295"},
             {"Win32_PhysicalMemoryArray", "MaxCapacity", "4294967296", "4294967295"},
             {"Win32_PhysicalMemoryArray", "MemoryDevices", "2.5", "65535"},
             {"Win32_PhysicalMemoryArray", "MemoryDevices", "65536", "65535"},
             {"Win32_PhysicalMemoryArray", "MemoryDevices", "-1", "65535"},
             {"Win32_PhysicalMemory", "Speed", "1e+300", "4294967295"},
             {"Win32_PhysicalMemory", "MemoryType", "65536", "65535"},
             {"Win32_Processor", "CurrentClockSpeed", "4294967296", "4294967295"},
             {"Win32_Processor", "ExtClock", R"("-0.5e1")", "4294967295"}}) {
        const std::string shown = c.value[0] == '"' ? c.value : std::string("\"") + c.value + "\"";
        EXPECT_EQ(scanError(c.className, c.property, c.value),
                  std::string(c.className) + "." + c.property + " = " + shown +
                      ": not a whole number from 0 to " + c.largest);
    }
    EXPECT_EQ(scanError("Win32_PhysicalMemory", "Speed", R"("fast")"),
              "Win32_PhysicalMemory.Speed = \"fast\": type mismatch: \"fast\" is not a number")
        << "text that is no number is refused as before";
    EXPECT_EQ(scanError("Win32_PhysicalMemoryArray", "MaxCapacity", R"("nan")"),
              "Win32_PhysicalMemoryArray.MaxCapacity = \"nan\": type mismatch: \"nan\" is not "
              "a number");
}

TEST(ScanErrors, EveryNumberWithinItsTypeIsTaken) {
    ScanRun largest(R"({
        "Win32_ComputerSystem": [{"Manufacturer": "A", "Model": "B", "SystemType": "x",
                                  "TotalPhysicalMemory": 18446744073709551615}],
        "Win32_PhysicalMemoryArray": [{"MaxCapacity": 4294967295, "MemoryDevices": 65535},
                                      {"MaxCapacity": "4294967295", "MemoryDevices": 4.0}],
        "Win32_PhysicalMemory": [{"Capacity": "18446744073709551615", "Speed": 4294967295,
                                  "MemoryType": 65535, "DeviceLocator": "D"}]})");
    EXPECT_NO_THROW(largest.run());
    EXPECT_EQ(largest.text(&R::installedMemoryText), "17179869184 GB");
    EXPECT_EQ(largest.text(&R::maximumMemoryText), "8192 GB");
    EXPECT_EQ(largest.inventory.memorySlots, InventoryValue(std::int64_t{65539}));
    EXPECT_EQ(largest.rows(&Row::speed), (Rows{"4294967295 MHz"}));
}

}  // namespace
}  // namespace kestrel::test
