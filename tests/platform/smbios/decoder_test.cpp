// The decoder on hand-made tables: entry points, field bounds, strings and broken tables.
#include <gtest/gtest.h>

#include "error_text.h"

#include <functional>

#include "inventory/error.h"
#include "platform/smbios/smbios_table.h"
#include "record_builder.h"

namespace kestrel::smbios::test {
namespace {

using kestrel::test::errorOf;

Record bios() { return Record(0, 0, 0x18).byte(4, 1).byte(5, 2).strings({"Vendor", "1.0"}); }
Record endOfTable() { return Record(127, 0xFEFF, 4); }

TEST(EntryPoint, ReadsBothFormsAndBoundsTheTableByItsLength) {
    const Bytes table = tableOf({bios(), Record(2, 7, 8), endOfTable()});
    const Table old = decode(entryPoint32(table.size(), 0xF0000, 2, 7), table);
    EXPECT_EQ(std::make_tuple(old.entryPoint.majorVersion, old.entryPoint.minorVersion,
                              old.entryPoint.is64Bit, old.entryPoint.tableAddress),
              std::make_tuple(2, 7, false, 0xF0000ull));
    EXPECT_EQ(old.structures.size(), 2u);

    const Table current = decode(entryPoint64(4096, 0x1'2345'6789, 3, 2), table);
    EXPECT_EQ(std::make_tuple(current.entryPoint.majorVersion, current.entryPoint.minorVersion,
                              current.entryPoint.is64Bit, current.entryPoint.tableAddress),
              std::make_tuple(3, 2, true, 0x1'2345'6789ull));
    EXPECT_EQ(current.structures, old.structures);
    EXPECT_FALSE(current.damage) << "a 3.x length is an upper bound";

    const std::size_t firstEnd = bios().bytes().size();
    const Table bounded = decode(entryPoint32(firstEnd), table);
    EXPECT_EQ(bounded.structures.size(), 1u) << "nothing past the announced length is read";
    EXPECT_FALSE(bounded.damage) << "2.x tables need no end marker";
}

TEST(EntryPoint, RejectsWhatIsNoValidEntryPoint) {
    const Bytes table = tableOf({bios(), endOfTable()});
    const auto spoilt = [&](Bytes entryPoint, std::size_t at, std::uint8_t value) {
        entryPoint[at] = value;
        return entryPoint;
    };
    Bytes noDmi = spoilt(entryPoint32(table.size()), 0x11, 'X');
    fixChecksum(noDmi, 0, 0x1F, 0x04);
    Bytes badIntermediate = spoilt(entryPoint32(table.size()), 0x16, 0x99);
    fixChecksum(badIntermediate, 0, 0x1F, 0x04);
    const Bytes ep32 = entryPoint32(table.size());
    const std::pair<Bytes, const char*> cases[] = {
        {spoilt(ep32, 0x08, 1), "checksum of the _SM_ block is wrong"},
        {badIntermediate, "checksum of the _DMI_ block is wrong"},
        {noDmi, "lacks its _DMI_ part"},
        {spoilt(entryPoint64(table.size()), 0x0C, 1), "checksum of the _SM3_ block is wrong"},
        {Bytes(ep32.begin(), ep32.begin() + 20), "cut short (20 of 31 bytes)"},
        {spoilt(entryPoint64(table.size()), 0x06, 0x30), "says it is 48 bytes long"},
        {spoilt(ep32, 0x05, 0), "says it is 0 bytes long"},  // an empty checksum is always right
        {table, "neither \"_SM_\" nor \"_SM3_\""},
    };
    for (const auto& [entryPoint, reason] : cases) {
        // Captured by name: clang before 16 cannot capture a structured binding.
        const std::string error =
            errorOf([&entryPoint = entryPoint, &table] { decode(entryPoint, table); });
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

TEST(StructureFields, ReadLittleEndianAndNeverPastTheStructuresOwnLength) {
    const Structure s =
        Record(200, 0xBEEF, 0x10).qword(4, 0x0807060504030201).dword(12, 0xDDCCBBAA).structure();
    EXPECT_EQ(s.type(), 200);
    EXPECT_EQ(s.handle(), 0xBEEF);
    EXPECT_EQ(s.length(), 0x10u);
    EXPECT_EQ(s.word(5), 0x0302);
    EXPECT_EQ(s.dword(4), 0x04030201u);
    EXPECT_EQ(s.qword(4), 0x0807060504030201u);
    EXPECT_EQ(s.dword(12), 0xDDCCBBAAu) << "the last whole field";
    EXPECT_FALSE(s.byte(16));
    EXPECT_FALSE(s.word(15));
    EXPECT_FALSE(s.dword(13));
    EXPECT_FALSE(s.qword(9));
    EXPECT_FALSE(s.qword(SIZE_MAX - 2)) << "no wrap-around";
}

TEST(StructureStrings, TrimmedAndNulloptWhereTheIndexLeadsNowhere) {
    Bytes odd = Record(1, 1, 10)
                    .byte(4, 1)
                    .byte(5, 2)
                    .byte(6, 3)
                    .byte(7, 0)
                    .byte(8, 4)
                    .strings({"Acme  ", "   ", " Lead\tblank\t"})
                    .bytes();
    Bytes gap = Record(1, 2, 6).byte(4, 1).byte(5, 2).bytes();
    gap.insert(gap.end() - 1, {'B', 0});  // "\0B\0\0": the first NUL pair ends the strings
    const Bytes table = joined({odd, gap, tableOf({endOfTable()})});
    const Table decoded = decode(entryPoint32(table.size()), table);
    ASSERT_EQ(decoded.structures.size(), 2u);
    const Structure& s = decoded.structures[0];
    EXPECT_EQ(s.string(4), "Acme");
    EXPECT_EQ(s.string(5), "") << "blank-only is an empty text, not a missing one";
    EXPECT_EQ(s.string(6), " Lead\tblank");
    EXPECT_FALSE(s.string(7)) << "index 0";
    EXPECT_FALSE(s.string(8)) << "index past the last string";
    EXPECT_FALSE(s.string(10)) << "no such byte";
    EXPECT_FALSE(decoded.structures[1].string(4));
    EXPECT_FALSE(decoded.structures[1].string(5));
}

TEST(TableWalk, SkipsInactiveStructuresAndStopsAtTheEndOfTable) {
    const Bytes table =
        tableOf({bios(), Record(126, 5, 8), Record(4, 6, 0x30), endOfTable(), Record(2, 7, 8)});
    const Table decoded = decode(entryPoint64(table.size()), table);
    ASSERT_EQ(decoded.structures.size(), 2u);
    EXPECT_EQ(decoded.structures[1].type(), 4);
    EXPECT_FALSE(decoded.damage);
}

// Each broken structure follows a whole one, which is kept while the damage is named; alone,
// the broken structure is an error.
TEST(TableWalk, KeepsTheWholeStructuresBeforeABrokenOne) {
    const Bytes whole = bios().bytes();
    const std::pair<Bytes, const char*> cases[] = {
        {Record(17, 0x40, 0x28).byte(1, 2).bytes(), "says it is 2 bytes long"},
        {Record(17, 0x40, 0x28).byte(1, 0xF0).bytes(), "runs past the end of the table"},
        {Bytes{17, 0x05, 0x40, 0x00, 0xAA, 'n', 'o', 0}, "without their terminating double NUL"},
        {Bytes{17, 0x28}, "cut short inside its header"},
    };
    for (const auto& [broken, reason] : cases) {
        const Bytes table = joined({whole, broken});
        const Table decoded = decode(entryPoint32(table.size()), table);
        ASSERT_EQ(decoded.structures, std::vector{bios().structure()}) << reason;
        EXPECT_NE(decoded.damage.value_or("").find("table offset 0x0024"), std::string::npos);
        EXPECT_NE(decoded.damage.value_or("").find(reason), std::string::npos);
        // Captured by name: clang before 16 cannot capture a structured binding.
        const std::string alone =
            errorOf([&broken = broken] { decode(entryPoint32(broken.size()), broken); });
        EXPECT_TRUE(
            alone.starts_with("SMBIOS table is broken: the structure at table offset "
                              "0x0000"))
            << alone;
        EXPECT_NE(alone.find(reason), std::string::npos) << alone;
    }
    const Bytes table = joined({whole, cases[0].first});
    EXPECT_EQ(decode(entryPoint32(table.size()), table).damage,
              "the structure at table offset 0x0024 (type 17, handle 0x0040) says it is 2 bytes "
              "long, shorter than its header");
}

TEST(TableWalk, ATableWithNoStructureIsAnError) {
    // Announced empty, or holding no more than its end marker: nothing to build a machine from.
    const Bytes table = tableOf({bios(), endOfTable()});
    const Bytes onlyTheEnd = tableOf({endOfTable()});
    for (const auto& [entryPoint, data] :
         std::vector<std::pair<Bytes, Bytes>>{{entryPoint32(0), table},
                                              {entryPoint64(0), table},
                                              {entryPoint32(onlyTheEnd.size()), onlyTheEnd}}) {
        // Captured by name: clang before 16 cannot capture a structured binding.
        const std::string error =
            errorOf([&entryPoint = entryPoint, &data = data] { decode(entryPoint, data); });
        EXPECT_TRUE(
            error.starts_with("SMBIOS table holds no structures (its entry point announces"))
            << error;
    }
    EXPECT_EQ(errorOf([&] { decodeDump(dumpOf(entryPoint32(0), table)); }),
              "SMBIOS table holds no structures (its entry point announces 0 bytes)");
}

TEST(TableWalk, ATableShorterThanItsEntryPointSaysIsDamaged) {
    const Bytes table = tableOf({bios(), Record(2, 7, 8).strings({"Board"}), endOfTable()});
    const std::size_t firstEnd = bios().bytes().size();
    const Table cut = decode(entryPoint32(firstEnd + 6), table);
    EXPECT_EQ(cut.structures.size(), 1u);
    EXPECT_NE(cut.damage.value_or("").find("runs past the end"), std::string::npos);

    const Table shortData =
        decode(entryPoint32(table.size() + 500), std::span(table).first(firstEnd));
    EXPECT_EQ(shortData.structures.size(), 1u);
    EXPECT_EQ(shortData.damage, "the table ends after 36 bytes, short of the " +
                                    std::to_string(table.size() + 500) +
                                    " its entry point announces");
}

TEST(DumpFile, FindsTheTableWhereTheEntryPointSaysAndNamesTheFileInErrors) {
    const Bytes table = tableOf({bios(), endOfTable()});
    Bytes dump = entryPoint64(table.size(), 0x40);
    dump.resize(0x40, 0xEE);
    EXPECT_EQ(decodeDump(joined({dump, table})).structures, std::vector{bios().structure()});
    EXPECT_EQ(errorOf([&] { decodeDump(dumpOf(entryPoint32(table.size(), 0x10000), table)); }),
              "the entry point puts the SMBIOS table at offset 0x10000, past the end of the dump "
              "(74 bytes)");
    EXPECT_EQ(errorOf([] { readDumpFile("/nonexistent/dump.bin"); }),
              "/nonexistent/dump.bin: cannot open");
#ifndef _WIN32
    EXPECT_EQ(errorOf([] { readDumpFile("/dev/zero"); }), "/dev/zero: larger than 16 MiB");
    EXPECT_EQ(errorOf([] { readDumpFile("/"); }), "/: is a directory, not a file");
#endif
}

}  // namespace
}  // namespace kestrel::smbios::test
