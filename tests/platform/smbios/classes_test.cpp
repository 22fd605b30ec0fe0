// The mapping from structures to the seven management classes, on hand-made structures.
#include <gtest/gtest.h>

#include "platform/smbios/smbios_classes.h"
#include "record_builder.h"

namespace kestrel::smbios::test {
namespace {

const InventoryValue kNull = InventoryValue::null();

Record systemArray(std::uint16_t handle, std::uint32_t maxKiB, std::uint16_t devices) {
    return Record(16, handle, 0x0F).byte(5, 0x03).dword(7, maxKiB).word(0x0D, devices);
}

// A 2.8-length memory device (0x28 bytes: Extended Size present, Extended Speed not).
Record module(std::uint16_t handle, std::uint16_t array, std::uint16_t size) {
    return Record(17, handle, 0x28)
        .word(4, array)
        .word(0x0C, size)
        .byte(0x10, 1)
        .byte(0x12, 0x1A)
        .word(0x15, 2400)
        .byte(0x17, 2)
        .strings({"DIMM " + std::to_string(handle), "Maker  "});
}

Record processor(std::uint16_t handle, std::uint8_t status, std::uint16_t characteristics) {
    return Record(4, handle, 0x2A)
        .byte(7, 1)
        .byte(0x10, 2)
        .word(0x12, 100)
        .word(0x16, 3600)
        .byte(0x18, status)
        .word(0x26, characteristics)
        .strings({"ChipCo", "Chip 9000 @ 3.60GHz"});
}

std::vector<InventoryValue> column(const ManagementTable& classes, const char* className,
                                   const char* property) {
    std::vector<InventoryValue> values;
    for (const auto& object : classes.objects(className)) values.push_back(object.at(property));
    return values;
}

TEST(ModuleCapacity, FollowsTheSizeEncodings) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 0x01000000, 8).structure(), module(1, 0x10, 8192).structure(),  // MiB
        module(2, 0x10, 0x8000 | 512).structure(),                    // KiB granularity
        module(3, 0x10, 0x7FFF).dword(0x1C, 0x80008000).structure(),  // Extended, bit 31 not size
        module(4, 0x10, 0x7FFF).resize(0x1C).structure(),             // too short for Extended Size
        module(5, 0x10, 0xFFFF).structure(),                          // unknown
        module(6, 0x10, 0).structure(),                               // empty slot
        module(7, 0x10, 0).resize(0x0C).structure(),                  // too short to hold a size
    }));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "Capacity"),
              (std::vector<InventoryValue>{std::int64_t{8} << 30, std::int64_t{512} << 10,
                                           std::int64_t{32768} << 20, std::int64_t{32767} << 20,
                                           kNull, kNull}));
    EXPECT_EQ(
        column(classes, "Win32_PhysicalMemory", "DeviceLocator"),
        (std::vector<InventoryValue>{"DIMM 1", "DIMM 2", "DIMM 3", "DIMM 4", "DIMM 5", kNull}));
    EXPECT_EQ(classes.objects("Win32_ComputerSystem").at(0).at("TotalPhysicalMemory"),
              InventoryValue((std::int64_t{8} << 30) + (512 << 10) + (std::int64_t{32768} << 20) +
                             (std::int64_t{32767} << 20)));
}

TEST(ModuleSpeed, ExtendedOnlyWhenMarkedAndPresentAndZeroIsUnknown) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 0x01000000, 8).structure(),
        module(1, 0x10, 8192).structure(),
        module(2, 0x10, 8192).resize(0x5C).word(0x15, 0xFFFF).dword(0x54, 0x80001F40).structure(),
        module(3, 0x10, 8192).word(0x15, 0xFFFF).structure(),
        module(4, 0x10, 8192).word(0x15, 0).structure(),
        module(5, 0x10, 8192).resize(0x15).structure(),
    }));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "Speed"),
              (std::vector<InventoryValue>{2400, 8000, kNull, kNull, kNull}));
}

TEST(Modules, OnlyThoseOfSystemMemoryArraysCountAsRam) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 0x01000000, 2).structure(),
        systemArray(0x11, 2048, 1).byte(5, 0x09).structure(),  // flash
        module(1, 0x10, 8192).structure(),
        Record(17, 2, 0x1B).word(4, 0x11).word(0x0C, 0x8800).byte(0x12, 0x09).structure(),
        module(3, 0x99, 4096).structure(),  // no such array
        module(4, 0x10, 4096).structure(),
    }));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "DeviceLocator"),
              (std::vector<InventoryValue>{"DIMM 1", "DIMM 4"}));
    EXPECT_EQ(classes.objects("Win32_ComputerSystem").at(0).at("TotalPhysicalMemory"),
              InventoryValue(std::int64_t{12} << 30));
    EXPECT_EQ(classes.objects("Win32_PhysicalMemoryArray").size(), 1u);
}

TEST(Modules, CarryTypeStringsAndNullsAsTheRecordGivesThem) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 0x01000000, 2).structure(),
        module(1, 0x10, 8192).structure(),
        module(2, 0x10, 8192).byte(0x10, 0).byte(0x17, 9).byte(0x12, 0x22).structure(),
    }));
    const auto& modules = classes.objects("Win32_PhysicalMemory");
    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(modules[0].at("MemoryType"), InventoryValue(26));
    EXPECT_EQ(modules[0].at("Manufacturer"), InventoryValue("Maker"));
    EXPECT_EQ(modules[1].at("MemoryType"), InventoryValue(34));
    EXPECT_EQ(modules[1].at("DeviceLocator"), kNull) << "string index 0";
    EXPECT_EQ(modules[1].at("Manufacturer"), kNull) << "string index past the last";
}

TEST(MemoryArrays, CapacityAndDeviceCount) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 33554432, 4).structure(),
        Record(16, 0x11, 0x17)
            .byte(5, 0x03)
            .dword(7, 0x80000000)
            .word(0x0D, 24)
            .qword(0x0F, std::uint64_t{3} << 40)
            .structure(),
        systemArray(0x12, 0x80000000, 2).structure(),  // extended marker, but no room for it
        systemArray(0x13, 4096, 1).structure(),        // the firmware undercounts its slots
        module(1, 0x13, 0).structure(), module(2, 0x13, 0).structure(),
        module(3, 0x13, 1024).structure(),
        Record(16, 0x14, 0x07).byte(5, 0x03).structure(),  // too short for either field
    }));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemoryArray", "MaxCapacity"),
              (std::vector<InventoryValue>{33554432, std::int64_t{3} << 30, kNull, 4096, kNull}));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemoryArray", "MemoryDevices"),
              (std::vector<InventoryValue>{4, 24, 2, 3, kNull}));
}

TEST(Processors, PopulatedSocketsOnlyAndTheirWidthGivesTheSystemType) {
    const auto systemType = [](std::initializer_list<Structure> structures) {
        return classesFromTable(tableWith(structures))
            .objects("Win32_ComputerSystem")
            .at(0)
            .at("SystemType");
    };
    EXPECT_EQ(systemType({processor(1, 0x41, 0x04).structure()}), InventoryValue("x64-based PC"));
    EXPECT_EQ(systemType({processor(1, 0x41, 0x02).structure()}), InventoryValue("X86-based PC"));
    // Status 07h: an empty socket whose CPU-status bits still say something.
    EXPECT_EQ(systemType({processor(1, 0x07, 0x04).structure(), processor(2, 0x41, 0).structure()}),
              InventoryValue("X86-based PC"))
        << "an empty socket says nothing about the machine";
    EXPECT_EQ(systemType({processor(1, 0x41, 0x04).dword(0x26, 0).structure()}),
              InventoryValue("X86-based PC"));
    EXPECT_EQ(systemType({Record(4, 1, 0x1A).byte(0x18, 0x41).structure()}),
              InventoryValue("X86-based PC"))
        << "2.0 records have no characteristics";
    EXPECT_EQ(systemType({}), InventoryValue("X86-based PC"));

    const ManagementTable classes = classesFromTable(tableWith({
        processor(1, 0x41, 0x04).structure(),
        processor(2, 0x07, 0x04).structure(),
        processor(3, 0x44, 0x04).word(0x12, 0).word(0x16, 0).byte(0x10, 0).structure(),
    }));
    const auto& processors = classes.objects("Win32_Processor");
    ASSERT_EQ(processors.size(), 2u);
    EXPECT_EQ(processors[0], (PropertyMap{{"Name", "Chip 9000 @ 3.60GHz"},
                                          {"Manufacturer", "ChipCo"},
                                          {"CurrentClockSpeed", 3600},
                                          {"ExtClock", 100}}));
    EXPECT_EQ(processors[1], (PropertyMap{{"Name", kNull},
                                          {"Manufacturer", "ChipCo"},
                                          {"CurrentClockSpeed", kNull},
                                          {"ExtClock", kNull}}));
}

TEST(Identity, BiosSystemProductAndBoards) {
    const ManagementTable classes = classesFromTable(tableWith({
        Record(0, 0, 0x12).byte(4, 1).byte(5, 2).strings({"BiosCo", "R1.2 "}).structure(),
        Record(1, 1, 0x1B)
            .byte(4, 1)
            .byte(5, 2)
            .byte(6, 3)
            .byte(7, 0)
            .strings({"Acme ", "Model X", " "})
            .structure(),
        Record(1, 9, 0x1B).byte(4, 1).strings({"Second"}).structure(),
        Record(2, 2, 0x0F).byte(4, 1).byte(5, 2).strings({"BoardCo", "B-1"}).structure(),
        Record(2, 3, 0x06).byte(4, 1).strings({"Riser"}).structure(),
    }));
    EXPECT_EQ(
        classes.objects("Win32_Bios"),
        (std::vector<PropertyMap>{{{"Manufacturer", "BiosCo"}, {"SMBIOSBIOSVersion", "R1.2"}}}));
    EXPECT_EQ(classes.objects("Win32_ComputerSystemProduct"),
              (std::vector<PropertyMap>{
                  {{"IdentifyingNumber", kNull}, {"Vendor", "Acme"}, {"Version", ""}}}));
    EXPECT_EQ(classes.objects("Win32_Baseboard"),
              (std::vector<PropertyMap>{{{"Manufacturer", "BoardCo"}, {"Product", "B-1"}},
                                        {{"Manufacturer", "Riser"}, {"Product", kNull}}}));
    const PropertyMap& system = classes.objects("Win32_ComputerSystem").at(0);
    EXPECT_EQ(system.at("Manufacturer"), InventoryValue("Acme"));
    EXPECT_EQ(system.at("Model"), InventoryValue("Model X"));
}

TEST(Classes, WithoutSourceStructuresOnlyTheComputerSystemRemainsAndItInventsNothing) {
    const ManagementTable classes = classesFromTable(tableWith({}));
    EXPECT_EQ(classes.classes().size(), 1u);
    EXPECT_EQ(classes.objects("Win32_ComputerSystem"),
              (std::vector<PropertyMap>{{{"Manufacturer", kNull},
                                         {"Model", kNull},
                                         {"SystemType", "X86-based PC"},
                                         {"TotalPhysicalMemory", kNull}}}));
}

TEST(MemoryType, CimCodesWhereCimHasThemElseTheSmbiosCode) {
    const std::pair<std::uint8_t, std::int64_t> table[] = {
        {0x01, 1},  {0x02, 0},  {0x03, 2},  {0x04, 6},  {0x05, 7},  {0x06, 8},  {0x07, 9},
        {0x08, 10}, {0x09, 11}, {0x0A, 12}, {0x0B, 13}, {0x0C, 14}, {0x0D, 15}, {0x0E, 16},
        {0x0F, 17}, {0x10, 18}, {0x11, 19}, {0x12, 20}, {0x13, 21}, {0x14, 22}, {0x18, 24},
        {0x19, 25}, {0x1A, 26}, {0x1E, 30}, {0x22, 34}, {0x23, 35}, {0x00, 0},  {0xFF, 255}};
    for (const auto& [smbios, cim] : table) {
        EXPECT_EQ(cimMemoryType(smbios), cim) << "code " << int(smbios);
    }
}

TEST(MemoryType, NamesAsTheUdevDatabaseWritesThem) {
    const std::pair<const char*, std::uint8_t> known[] = {{"Other", 0x01},
                                                          {"Unknown", 0x02},
                                                          {"DRAM", 0x03},
                                                          {"RAM", 0x07},
                                                          {"Flash", 0x09},
                                                          {"DDR2 FB-DIMM", 0x14},
                                                          {"DDR3", 0x18},
                                                          {"FBD2", 0x19},
                                                          {"DDR4", 0x1A},
                                                          {"LPDDR4", 0x1E},
                                                          {"Logical non-volatile device", 0x1F},
                                                          {"DDR5", 0x22},
                                                          {"LPDDR5", 0x23},
                                                          {"ddr4", 0x1A}};
    for (const auto& [name, code] : known) EXPECT_EQ(memoryTypeFromName(name), code) << name;
    for (const char* unknown : {"", "Reserved", "<OUT OF SPEC>", "DDR4 ", "DDR9"}) {
        EXPECT_FALSE(memoryTypeFromName(unknown)) << unknown;
    }
}

}  // namespace
}  // namespace kestrel::smbios::test
