// The decoder on hand-made tables: entry points, field bounds, strings and broken tables.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "inventory/error.h"
#include "platform/smbios/smbios_table.h"
#include "record_builder.h"

namespace kestrel::smbios::test {
namespace {

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

Record bios() { return Record(0, 0x0000, 0x18).byte(4, 1).byte(5, 2).strings({"Vendor", "1.0"}); }
Record endOfTable() { return Record(127, 0xFEFF, 4); }

TEST(EntryPoint, ReadsVersionAddressAndLengthOfBothForms) {
    const Bytes table = tableOf({bios(), endOfTable()});
    const Table old = decode(entryPoint32(table.size(), 0x000F0000, 2, 7), table);
    EXPECT_EQ(old.entryPoint.majorVersion, 2);
    EXPECT_EQ(old.entryPoint.minorVersion, 7);
    EXPECT_FALSE(old.entryPoint.is64Bit);
    EXPECT_EQ(old.entryPoint.tableAddress, 0x000F0000u);
    EXPECT_EQ(old.entryPoint.tableLength, table.size());

    const Table current = decode(entryPoint64(4096, 0x1'2345'6789, 3, 2), table);
    EXPECT_EQ(current.entryPoint.majorVersion, 3);
    EXPECT_EQ(current.entryPoint.minorVersion, 2);
    EXPECT_TRUE(current.entryPoint.is64Bit);
    EXPECT_EQ(current.entryPoint.tableAddress, 0x1'2345'6789u);
    EXPECT_EQ(current.entryPoint.tableLength, 4096u);
    EXPECT_EQ(current.structures, old.structures);
    EXPECT_FALSE(current.damage) << "a 3.x length is an upper bound";
}

TEST(EntryPoint, RejectsWhatIsNoValidEntryPoint) {
    const Bytes table = tableOf({bios(), endOfTable()});
    const auto failure = [&](Bytes entryPoint) {
        return errorOf([&] { decode(entryPoint, table); });
    };
    Bytes badSum = entryPoint32(table.size());
    badSum[0x08] ^= 1;
    EXPECT_NE(failure(badSum).find("checksum of the _SM_ block"), std::string::npos);
    Bytes badIntermediate = entryPoint32(table.size());
    badIntermediate[0x16] ^= 1;
    fixChecksum(badIntermediate, 0, 0x1F, 0x04);
    EXPECT_NE(failure(badIntermediate).find("checksum of the _DMI_ block"), std::string::npos);
    Bytes noDmi = entryPoint32(table.size());
    noDmi[0x11] = 'X';
    fixChecksum(noDmi, 0, 0x1F, 0x04);
    EXPECT_NE(failure(noDmi).find("lacks its _DMI_ part"), std::string::npos);
    Bytes badSum64 = entryPoint64(table.size());
    badSum64[0x0C] ^= 1;
    EXPECT_NE(failure(badSum64).find("checksum of the _SM3_ block"), std::string::npos);

    const Bytes whole = entryPoint32(table.size());
    EXPECT_NE(failure({whole.begin(), whole.begin() + 20}).find("cut short (20 of 31 bytes)"),
              std::string::npos);
    Bytes longerThanGiven = entryPoint64(table.size());
    longerThanGiven[0x06] = 0x30;
    EXPECT_NE(failure(longerThanGiven).find("says it is 48 bytes long"), std::string::npos);
    Bytes zeroLength = entryPoint32(table.size());
    zeroLength[0x05] = 0;  // would otherwise make an empty, trivially right checksum
    EXPECT_NE(failure(zeroLength).find("says it is 0 bytes long"), std::string::npos);
    EXPECT_NE(failure(table).find("neither \"_SM_\" nor \"_SM3_\""), std::string::npos);
    EXPECT_NE(failure({}).find("neither"), std::string::npos);
}

TEST(EntryPoint, Accepts21FirmwareThatDeclaresOneByteTooFew) {
    const Bytes table = tableOf({bios(), endOfTable()});
    Bytes ep = entryPoint32(table.size(), 0x20, 2, 1);
    ep[0x05] = 0x1E;
    fixChecksum(ep, 0, 0x1E, 0x04);
    EXPECT_EQ(decode(ep, table).structures.size(), 1u);
}

TEST(StructureFields, ReadLittleEndianAndNeverPastTheStructuresOwnLength) {
    const Structure s =
        Record(200, 0xBEEF, 0x10).qword(4, 0x0807060504030201).dword(12, 0xDDCCBBAA).structure();
    EXPECT_EQ(s.type(), 200);
    EXPECT_EQ(s.handle(), 0xBEEF);
    EXPECT_EQ(s.length(), 0x10u);
    EXPECT_EQ(s.byte(4), 0x01);
    EXPECT_EQ(s.word(5), 0x0302);
    EXPECT_EQ(s.dword(4), 0x04030201u);
    EXPECT_EQ(s.qword(4), 0x0807060504030201u);
    EXPECT_EQ(s.dword(12), 0xDDCCBBAAu) << "the last whole field";
    EXPECT_EQ(s.byte(15), 0xDD);
    EXPECT_FALSE(s.byte(16));
    EXPECT_FALSE(s.word(15));
    EXPECT_FALSE(s.dword(13));
    EXPECT_FALSE(s.qword(9));
    EXPECT_FALSE(s.qword(SIZE_MAX - 2)) << "no wrap-around";
    EXPECT_THROW(Structure({1, 3, 0}, {}), Error);
}

TEST(StructureStrings, ByIndexTrimmedAndNulloptWhereTheIndexLeadsNowhere) {
    const Bytes table = joined({Record(1, 1, 9)
                                    .byte(4, 1)
                                    .byte(5, 2)
                                    .byte(6, 3)
                                    .byte(7, 0)
                                    .byte(8, 4)
                                    .strings({"Acme  ", "   ", " Lead\tblank\t"})
                                    .bytes(),
                                tableOf({endOfTable()})});
    const Table decoded = decode(entryPoint32(table.size()), table);
    ASSERT_EQ(decoded.structures.size(), 1u);
    const Structure& s = decoded.structures[0];
    EXPECT_EQ(s.string(4), "Acme");
    EXPECT_EQ(s.string(5), "") << "blank-only is an empty text, not a missing one";
    EXPECT_EQ(s.string(6), " Lead\tblank");
    EXPECT_FALSE(s.string(7)) << "index 0";
    EXPECT_FALSE(s.string(8)) << "index past the last string";
    EXPECT_FALSE(s.string(9)) << "no such byte";
}

TEST(StructureStrings, AnEmptyStringEndsTheSet) {
    // "\0B\0\0": the set ends at the first NUL pair, so "B" is not string 2.
    Bytes table = Record(1, 1, 6).byte(4, 1).byte(5, 2).bytes();
    table.insert(table.end() - 1, {'B', 0});
    table = joined({table, tableOf({endOfTable()})});
    const Table decoded = decode(entryPoint32(table.size()), table);
    ASSERT_EQ(decoded.structures.size(), 1u);
    EXPECT_FALSE(decoded.structures[0].string(4));
    EXPECT_FALSE(decoded.structures[0].string(5));
    EXPECT_FALSE(decoded.damage);
}

TEST(TableWalk, SkipsInactiveStructuresAndStopsAtTheEndOfTable) {
    const Bytes table =
        tableOf({bios(), Record(126, 5, 8), Record(4, 6, 0x30), endOfTable(), Record(2, 7, 8)});
    const Table decoded = decode(entryPoint64(table.size()), table);
    ASSERT_EQ(decoded.structures.size(), 2u);
    EXPECT_EQ(decoded.structures[0].type(), 0);
    EXPECT_EQ(decoded.structures[1].type(), 4);
    EXPECT_EQ(decoded.structures[1].length(), 0x30u);
    EXPECT_FALSE(decoded.damage);
}

TEST(TableWalk, OldTablesWithoutAnEndMarkerEndWithTheirLength) {
    const Bytes table = tableOf({bios(), Record(2, 7, 8)});
    const Table decoded = decode(entryPoint32(table.size()), table);
    EXPECT_EQ(decoded.structures.size(), 2u);
    EXPECT_FALSE(decoded.damage);
}

// Each broken structure follows a whole one; the whole one is kept and the damage named.
TEST(TableWalk, KeepsTheWholeStructuresBeforeABrokenOne) {
    const Bytes whole = bios().bytes();
    ASSERT_EQ(whole.size(), 0x24u);
    const Bytes broken[] = {
        Record(17, 0x40, 0x28).byte(1, 2).bytes(),
        Record(17, 0x40, 0x28).byte(1, 0xF0).bytes(),
        Bytes{17, 0x28, 0x40, 0x00, 1, 2, 3},
        Bytes{17, 0x05, 0x40, 0x00, 0xAA, 'n', 'o', ' ', 'e', 'n', 'd', 0},
        Bytes{17, 0x28},
    };
    const char* const reasons[] = {"says it is 2 bytes long", "runs past the end",
                                   "runs past the end", "without their terminating double NUL",
                                   "cut short inside its header"};
    for (std::size_t i = 0; i < std::size(broken); ++i) {
        const Bytes table = joined({whole, broken[i]});
        const Table decoded = decode(entryPoint32(table.size()), table);
        ASSERT_EQ(decoded.structures.size(), 1u) << reasons[i];
        EXPECT_EQ(decoded.structures[0], bios().structure());
        ASSERT_TRUE(decoded.damage) << reasons[i];
        EXPECT_NE(decoded.damage->find(reasons[i]), std::string::npos) << *decoded.damage;
        EXPECT_NE(decoded.damage->find("table offset 0x0024"), std::string::npos)
            << *decoded.damage;

        const std::string error =
            errorOf([&] { decode(entryPoint32(broken[i].size()), broken[i]); });
        EXPECT_TRUE(
            error.starts_with("SMBIOS table is broken: the structure at table offset 0x0000"))
            << error;
    }
}

TEST(TableWalk, TheEntryPointsLengthBoundsTheTable) {
    const Bytes table = tableOf({bios(), Record(2, 7, 8).strings({"Board"}), endOfTable()});
    const std::size_t firstEnd = bios().bytes().size();

    const Table cut = decode(entryPoint32(firstEnd + 6), table);
    EXPECT_EQ(cut.structures.size(), 1u) << "what lies past the announced length is not read";
    ASSERT_TRUE(cut.damage);
    EXPECT_NE(cut.damage->find("runs past the end"), std::string::npos);

    const Table exact = decode(entryPoint32(firstEnd), table);
    EXPECT_EQ(exact.structures.size(), 1u);
    EXPECT_FALSE(exact.damage);

    const Table shortData =
        decode(entryPoint32(table.size() + 500), std::span(table).first(firstEnd));
    EXPECT_EQ(shortData.structures.size(), 1u);
    ASSERT_TRUE(shortData.damage) << "a 2.x table that ends early was cut";
    EXPECT_NE(shortData.damage->find("short of the"), std::string::npos);

    EXPECT_TRUE(decode(entryPoint32(0), table).structures.empty());
}

class DumpFile : public ::testing::Test {
  protected:
    std::filesystem::path write(const Bytes& bytes) {
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path_;
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                  ("kestrel-smbios-" + std::to_string(::getpid()) + ".bin");
};

TEST_F(DumpFile, FindsTheTableWhereTheEntryPointSays) {
    const Bytes table = tableOf({bios(), endOfTable()});
    Bytes dump = entryPoint64(table.size(), 0x40);
    dump.resize(0x40, 0xEE);
    dump.insert(dump.end(), table.begin(), table.end());
    const Table decoded = readDumpFile(write(dump));
    ASSERT_EQ(decoded.structures.size(), 1u);
    EXPECT_EQ(decoded.structures[0].string(4), "Vendor");
}

TEST_F(DumpFile, ErrorsNameTheFile) {
    const Bytes table = tableOf({bios(), endOfTable()});
    const auto error = [&](const Bytes& dump) {
        return errorOf([&] { readDumpFile(write(dump)); });
    };
    const std::string name = path_.string() + ": ";
    EXPECT_EQ(error(dumpOf(entryPoint32(table.size(), 0x10000), table)),
              name +
                  "the entry point puts the SMBIOS table at offset 0x10000, past the end of "
                  "the dump (" +
                  std::to_string(0x20 + table.size()) + " bytes)");
    EXPECT_TRUE(error(table).starts_with(name + "no SMBIOS entry point")) << error(table);
    EXPECT_EQ(errorOf([] { readDumpFile("/nonexistent/dump.bin"); }),
              "/nonexistent/dump.bin: cannot open");
#ifndef _WIN32
    // Windows refuses to open a directory at all; a POSIX system opens it and fails the read.
    EXPECT_EQ(errorOf([] { readDumpFile("/"); }), "/: cannot read");
#endif
}

TEST(Sysfs, ErrorsNameTheFileAtFault) {
    EXPECT_EQ(errorOf([] { readSysfs("/nonexistent/smbios_entry_point", "/nonexistent/DMI"); }),
              "/nonexistent/smbios_entry_point: cannot open");
}

}  // namespace
}  // namespace kestrel::smbios::test
