#include "platform/fixture/fixture_reader.h"

#include <gtest/gtest.h>

#include "error_text.h"
#include "inventory/error.h"

namespace kestrel {
namespace {

std::string errorOf(const std::string& json) {
    return test::errorOf([&] { parseFixture(json, "machine.json"); });
}

TEST(Fixture, JsonTypesBecomeValues) {
    const ManagementTable table = parseFixture(
        R"({"Win32_PhysicalMemory": [{"Capacity": "1073741824", "MemoryType": 21,
             "Speed": 667.5, "Manufacturer": null}],
            "Win32_Bios": []})",
        "f");
    ASSERT_EQ(table.objects("Win32_PhysicalMemory").size(), 1u);
    const PropertyMap& module = table.objects("win32_physicalmemory")[0];
    EXPECT_EQ(module.at("capacity"), InventoryValue("1073741824"));
    EXPECT_EQ(module.at("MemoryType"), InventoryValue(std::int64_t{21}));
    EXPECT_EQ(module.at("Speed"), InventoryValue(667.5));
    EXPECT_TRUE(module.at("Manufacturer").isNull());
    EXPECT_TRUE(table.objects("Win32_Bios").empty());
    EXPECT_TRUE(table.objects("Win32_Processor").empty());
}

TEST(Fixture, ErrorsNameTheFileAndThePlace) {
    EXPECT_EQ(errorOf(R"({"Win32_Bios": [{"Manufacturer": true}]})"),
              "machine.json: at /Win32_Bios/0/Manufacturer: expected a string, number or null, "
              "found boolean");
    EXPECT_EQ(errorOf(R"({"Win32_Bios": {"Manufacturer": "x"}})"),
              "machine.json: at /Win32_Bios: expected a list of objects");
    EXPECT_EQ(errorOf(R"({"Win32_Bios": [1]})"),
              "machine.json: at /Win32_Bios/0: expected an object");
    EXPECT_EQ(errorOf(R"([1])"), "machine.json: at /: expected an object of classes");
    EXPECT_EQ(errorOf(R"({"Win32_Bios": [{"Nested": [1]}]})").substr(0, 40),
              "machine.json: at /Win32_Bios/0/Nested: e");
    EXPECT_EQ(errorOf(R"({"Win32_Bios": [{"Big": 18446744073709551615}]})"),
              "machine.json: at /Win32_Bios/0/Big: integer too large");
    EXPECT_EQ(errorOf(R"({"Win32_Bios": [)"),
              "machine.json: malformed JSON: parse error at line 1, column 17: syntax error while "
              "parsing value - unexpected end of input; expected '[', '{', or a literal");
}

TEST(Fixture, NumbersPastADoubleAreErrorsAtTheirPlace) {
    // Even in a class the scan never reads, and in either direction.
    EXPECT_EQ(errorOf(R"({"Win32_Bios": [{"Manufacturer": 1e400}]})"),
              "machine.json: at /Win32_Bios/0/Manufacturer: number overflow parsing '1e400'");
    EXPECT_EQ(errorOf(R"({"Other": [{"A": 1}, {"B": [2, {"x/y": 3}], "C": -1e400}]})"),
              "machine.json: at /Other/1/C: number overflow parsing '-1e400'");
    EXPECT_EQ(errorOf(R"({"Other": [[1, 2], [3, -1e400]]})"),
              "machine.json: at /Other/1/1: number overflow parsing '-1e400'");
}

TEST(Fixture, FilesThatCannotBeReadWholeAreClearErrors) {
    const auto fileError = [](const std::string& path) {
        return test::errorOf([&] { readFixtureFile(path); });
    };
    EXPECT_EQ(fileError("/nonexistent/machine.json"), "/nonexistent/machine.json: cannot open");
    EXPECT_EQ(fileError(KESTREL_TEST_DATA "/fixtures"),
              KESTREL_TEST_DATA "/fixtures: is a directory, not a file");
#ifndef _WIN32
    EXPECT_EQ(fileError("/dev/zero"), "/dev/zero: larger than 16 MiB");
#endif
}

}  // namespace
}  // namespace kestrel
