// The mapping from structures to the seven management classes, on hand-made structures.
#include <gtest/gtest.h>

#include "platform/smbios/memory_type.h"
#include "platform/smbios/smbios_classes.h"
#include "record_builder.h"

namespace kestrel::smbios::test {
namespace {

using Values = std::vector<InventoryValue>;
const InventoryValue kNull = InventoryValue::null();
constexpr std::int64_t kMiB = 1 << 20;

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
        .strings({"ChipCo", "Chip 9000"});
}

Values column(const ManagementTable& classes, const char* className, const char* property) {
    Values values;
    for (const auto& object : classes.objects(className)) values.push_back(object.at(property));
    return values;
}

TEST(Modules, SizesFollowTheirEncodingsAndOnlyInstalledRamIsListed) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 0x01000000, 8).structure(),
        systemArray(0x11, 2048, 1).byte(5, 0x09).structure(),  // flash: a ROM is no RAM
        module(1, 0x10, 8192).structure(),
        module(2, 0x10, 0x8000 | 512).structure(),                    // KiB granularity
        module(3, 0x10, 0x7FFF).dword(0x1C, 0x80008000).structure(),  // Extended Size
        module(4, 0x10, 0x7FFF).resize(0x1C).structure(),             // too short for it
        module(5, 0x10, 0xFFFF).structure(),                          // unknown
        module(6, 0x10, 0).structure(),                               // empty slot
        module(7, 0x10, 0).resize(0x0C).structure(),                  // too short to tell
        module(8, 0x11, 0x8800).structure(),                          // in the flash array
        module(9, 0x99, 4096).structure(),                            // in no array
    }));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "Capacity"),
              (Values{8192 * kMiB, 512 * 1024, 32768 * kMiB, 32767 * kMiB, kNull, kNull}));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "DeviceLocator"),
              (Values{"DIMM 1", "DIMM 2", "DIMM 3", "DIMM 4", "DIMM 5", kNull}));
    EXPECT_EQ(classes.objects("Win32_ComputerSystem")[0].at("TotalPhysicalMemory"),
              InventoryValue(8192 * kMiB + 512 * 1024 + 32768 * kMiB + 32767 * kMiB));
}

TEST(Modules, SpeedTypeAndStrings) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 0x01000000, 8).structure(),
        module(1, 0x10, 8192).structure(),
        module(2, 0x10, 8192).resize(0x5C).word(0x15, 0xFFFF).dword(0x54, 0x80001F40).structure(),
        module(3, 0x10, 8192).word(0x15, 0xFFFF).structure(),  // no room for Extended Speed
        module(4, 0x10, 8192)
            .word(0x15, 0)
            .byte(0x12, 0x22)
            .byte(0x10, 0)
            .byte(0x17, 9)
            .structure(),
        module(5, 0x10, 8192).resize(0x15).structure(),
    }));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "Speed"),
              (Values{2400, 8000, kNull, kNull, kNull}));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "MemoryType"), (Values{26, 26, 26, 34, 26}));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemory", "Manufacturer"),
              (Values{"Maker", "Maker", "Maker", kNull, kNull}))
        << "trimmed; a string index past the last string or a missing byte is Null";
}

// A 3.2 record (0x54 bytes) with its identification where the published layout puts it: the
// Firmware Version string's number at 0x2B, the Module Manufacturer ID (continuation count with
// odd parity, then the code) at 0x2C, the Module Product ID at 0x2E.
Record identifiedModule(std::uint16_t handle, std::uint16_t manufacturerId) {
    return module(handle, 0x10, 8192)
        .resize(0x54)
        .strings({"DIMM " + std::to_string(handle), "Unknown", "FW 7"})
        .byte(0x2B, 3)
        .word(0x2C, manufacturerId)
        .word(0x2E, 0x5A31);
}

TEST(Modules, TheMakersCodeOnlyWhereARecordHoldsOne) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 0x01000000, 8).structure(),
        identifiedModule(1, 0xCE80).structure(),               // Bank 1, Hex 0xCE
        identifiedModule(2, 0x9B85).structure(),               // Bank 6, Hex 0x9B
        identifiedModule(3, 0).structure(),                    // the firmware does not know
        identifiedModule(4, 0x9801).resize(0x2D).structure(),  // cut inside the word
        module(5, 0x10, 8192).structure(),                     // a record from before 3.2
    }));
    const auto& modules = classes.objects("Win32_PhysicalMemory");
    ASSERT_EQ(modules.size(), 5u);
    EXPECT_EQ(modules[0].at(std::string(schema::kModuleManufacturerId)), InventoryValue("80CE"));
    EXPECT_EQ(modules[1].at(std::string(schema::kModuleManufacturerId)), InventoryValue("859B"));
    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_FALSE(modules[i].contains(std::string(schema::kModuleManufacturerId))) << i;
    }
}

TEST(MemoryArrays, CapacityAndDeviceCount) {
    const ManagementTable classes = classesFromTable(tableWith({
        systemArray(0x10, 33554432, 4).structure(),
        systemArray(0x11, 0x80000000, 24)
            .resize(0x17)
            .qword(0x0F, std::uint64_t{3} << 40)
            .structure(),
        systemArray(0x12, 0x80000000, 2).structure(),  // extended marker, no room for the field
        systemArray(0x13, 4096, 1).structure(),        // the firmware undercounts its slots
        module(1, 0x13, 0).structure(), module(2, 0x13, 0).structure(),
        module(3, 0x13, 1024).structure(),
        systemArray(0x14, 0, 0).resize(0x07).structure(),      // too short for either field
        systemArray(0x15, 4096, 1).byte(5, 0x04).structure(),  // video memory
    }));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemoryArray", "MaxCapacity"),
              (Values{33554432, std::int64_t{3} << 30, kNull, 4096, kNull}));
    EXPECT_EQ(column(classes, "Win32_PhysicalMemoryArray", "MemoryDevices"),
              (Values{4, 24, 2, 3, kNull}));
}

TEST(Processors, PopulatedSocketsOnlyAndTheirWidthGivesTheSystemType) {
    const auto systemType = [](std::initializer_list<Structure> structures) {
        return classesFromTable(tableWith(structures))
            .objects("Win32_ComputerSystem")[0]
            .at("SystemType");
    };
    const InventoryValue x64("x64-based PC"), x86("X86-based PC");
    EXPECT_EQ(systemType({processor(1, 0x41, 0x04).structure()}), x64);
    EXPECT_EQ(systemType({processor(1, 0x41, 0x02).structure()}), x86);
    // Status 07h: an empty socket whose CPU-status bits still say something.
    EXPECT_EQ(systemType({processor(1, 0x07, 0x04).structure(), processor(2, 0x41, 0).structure()}),
              x86);
    EXPECT_EQ(systemType({processor(1, 0x41, 0x04).resize(0x26).structure()}), x86)
        << "records before 2.5 have no characteristics";

    const ManagementTable classes = classesFromTable(tableWith({
        processor(1, 0x41, 0x04).structure(),
        processor(2, 0x07, 0x04).structure(),
        processor(3, 0x44, 0x04).word(0x12, 0).word(0x16, 0).byte(0x10, 0).structure(),
    }));
    EXPECT_EQ(classes.objects("Win32_Processor"),
              (std::vector<PropertyMap>{{{"Name", "Chip 9000"},
                                         {"Manufacturer", "ChipCo"},
                                         {"CurrentClockSpeed", 3600},
                                         {"ExtClock", 100}},
                                        {{"Name", kNull},
                                         {"Manufacturer", "ChipCo"},
                                         {"CurrentClockSpeed", kNull},
                                         {"ExtClock", kNull}}}));
}

TEST(Identity, BiosSystemProductAndBoards) {
    const ManagementTable classes = classesFromTable(tableWith({
        Record(0, 0, 0x12).byte(4, 1).byte(5, 2).strings({"BiosCo", "R1.2 "}).structure(),
        Record(1, 1, 0x1B)
            .byte(4, 1)
            .byte(5, 2)
            .byte(6, 3)
            .strings({"Acme ", "X", " "})
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
    EXPECT_EQ(column(classes, "Win32_ComputerSystem", "Model"), (Values{"X"}));

    const ManagementTable none = classesFromTable(tableWith({}));
    EXPECT_EQ(none.classes().size(), 1u) << "a class without a source structure has no objects";
    EXPECT_EQ(none.objects("Win32_ComputerSystem"),
              (std::vector<PropertyMap>{{{"Manufacturer", kNull},
                                         {"Model", kNull},
                                         {"SystemType", "X86-based PC"},
                                         {"TotalPhysicalMemory", kNull}}}));
}

TEST(Identity, StringsThatAreNotUtf8AreReadAsWindows1252) {
    const ManagementTable classes = classesFromTable(tableWith({
        Record(0, 0, 0x12)
            .byte(4, 1)
            .byte(5, 2)
            .strings({"Caf\xE9",
                      "Pr\xC3\xBC"
                      "f"})
            .structure(),
    }));
    EXPECT_EQ(
        classes.objects("Win32_Bios"),
        (std::vector<PropertyMap>{{{"Manufacturer", "Café"}, {"SMBIOSBIOSVersion", "Prüf"}}}));
}

TEST(MemoryType, CimCodesWhereCimHasThemElseTheSmbiosCode) {
    const std::pair<std::uint8_t, std::int64_t> codes[] = {
        {0x01, 1},  {0x02, 0},  {0x03, 2},  {0x04, 6},  {0x05, 7},  {0x06, 8},  {0x07, 9},
        {0x08, 10}, {0x09, 11}, {0x0A, 12}, {0x0B, 13}, {0x0C, 14}, {0x0D, 15}, {0x0E, 16},
        {0x0F, 17}, {0x10, 18}, {0x11, 19}, {0x12, 20}, {0x13, 21}, {0x14, 22}, {0x18, 24},
        {0x19, 25}, {0x1A, 26}, {0x1E, 30}, {0x22, 34}, {0x23, 35}, {0x00, 0},  {0xFF, 255}};
    for (const auto& [smbios, cim] : codes) EXPECT_EQ(cimMemoryType(smbios), cim) << int(smbios);
}

TEST(MemoryType, NamesAsTheUdevDatabaseWritesThem) {
    const std::pair<const char*, std::uint8_t> known[] = {
        {"Other", 0x01}, {"Unknown", 0x02}, {"DRAM", 0x03},   {"DDR2 FB-DIMM", 0x14},
        {"DDR3", 0x18},  {"DDR4", 0x1A},    {"LPDDR4", 0x1E}, {"Logical non-volatile device", 0x1F},
        {"DDR5", 0x22},  {"LPDDR5", 0x23},  {"ddr4", 0x1A}};
    for (const auto& [name, code] : known) EXPECT_EQ(memoryTypeFromName(name), code) << name;
    for (const char* unknown : {"", "Reserved", "DDR4 ", "DDR9"}) {
        EXPECT_FALSE(memoryTypeFromName(unknown)) << unknown;
    }
}

}  // namespace
}  // namespace kestrel::smbios::test
