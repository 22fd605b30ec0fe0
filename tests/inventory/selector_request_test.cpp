#include "inventory/selector_request.h"

#include <gtest/gtest.h>

#include <clocale>

#include "scan_fixture.h"

namespace kestrel::test {
namespace {

TEST(SelectorUrl, AcmeMachineWithNineParametersInOrder) {
    ScanRun scan(acmeFixture());
    ASSERT_NO_THROW(scan.run());
    const std::string expected =
        "http://selector.test/selector/kestrel.asp?manufacturer%20=%20Acme%20Computers"
        "&mdlname=AC-22&bName=MB-22&maxmemory=4%20GB"
        "&totalslots=4%20%20(Currently%20Memory%20in%202%20Slots)"
        "&memoryspeeds=667%20MHz,667%20MHz,&memorysize=1024%20MB,1024%20MB,"
        "&processorspeed=2400&site=site.test";
    EXPECT_EQ(scan.inventory.selectorUrl, expected);
}

TEST(SelectorUrl, ValuesThatWouldSplitOrCutTheQueryAreEncoded) {
    EXPECT_EQ(percentEncode("A&B=C#D+E%F;G\"H'"), "A%26B%3DC%23D%2BE%25F%3BG%22H%27");
    EXPECT_EQ(percentEncode("Prüf\t-._~!$()*,:@/?"), "Pr%C3%BCf%09-._~!$()*,:@/?");
    ScanRun scan(R"({"Win32_ComputerSystem": [{"Manufacturer": "Smith & Sons #1", "Model": "X",
                     "SystemType": "x64-based PC", "TotalPhysicalMemory": 0}]})");
    scan.run();
    EXPECT_NE(
        scan.inventory.selectorUrl.find("?manufacturer%20=%20Smith%20%26%20Sons%20%231&mdlname=X&"),
        std::string::npos);
}

TEST(SelectorUrl, EncodingDoesNotDependOnTheLocale) {
    // In an 8-bit locale the bytes of UTF-8 text are letters of that locale's own.
    const std::string before = std::setlocale(LC_CTYPE, nullptr);
    if (!std::setlocale(LC_CTYPE, "de_DE.ISO-8859-1") &&
        !std::setlocale(LC_CTYPE, "de_DE.iso88591")) {
        GTEST_SKIP() << "de_DE.ISO-8859-1 is not generated on this machine";
    }
    const std::string encoded = percentEncode("Café");
    std::setlocale(LC_CTYPE, before.c_str());
    EXPECT_EQ(encoded, "Caf%C3%A9");
}

TEST(SelectorUrl, NoModulesLeaveTheKeysBareAndTheSummaryCountsZero) {
    ScanRun scan(
        R"({"Win32_PhysicalMemoryArray": [{"MaxCapacity": 4194304, "MemoryDevices": 4}]})");
    scan.run();
    EXPECT_NE(scan.inventory.selectorUrl.find(
                  "&totalslots=4%20%20(Currently%20Memory%20in%200%20Slots)&memoryspeeds="
                  "&memorysize=&processorspeed=&site=site.test"),
              std::string::npos);
}

TEST(ModelFallback, OnlyThePlaceholderIsReplacedAndOnlyInTheAddress) {
    ScanRun scan(
        R"({"Win32_ComputerSystem": [{"Manufacturer": "Acme", "Model": "System Product Name",
                                              "SystemType": "x", "TotalPhysicalMemory": 0}],
                     "Win32_Baseboard": [{"Manufacturer": "Acme", "Product": "MB-22"}]})");
    scan.run();
    EXPECT_NE(scan.inventory.selectorUrl.find("&mdlname=MB-22&bName=MB-22&"), std::string::npos);
    EXPECT_NE(scan.inventory.reportText.find("System Model: Not Available\r\n"), std::string::npos);
    EXPECT_EQ(scan.text(&SystemInventory::systemModel), "Not Available");

    SystemInventory empty;
    empty.boardProduct = "MB-22";
    EXPECT_TRUE(selectorModel(empty).isEmpty());
    SystemInventory lower;
    lower.systemModel = "not available";
    lower.boardProduct = "MB-22";
    EXPECT_EQ(selectorModel(lower), InventoryValue("not available"));
}

}  // namespace
}  // namespace kestrel::test
