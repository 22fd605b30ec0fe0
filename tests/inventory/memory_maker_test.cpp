#include "inventory/memory_maker.h"

#include <gtest/gtest.h>

namespace kestrel::test {
namespace {

// What the firmware wrote -> the maker shown, "" where the text names none.
struct MakerCase {
    const char* text;
    const char* maker;
};

TEST(MemoryMaker, FirmwareTextsGiveTheMakersName) {
    const MakerCase cases[] = {
        // JEP106 codes: the continuation count, then the code, with or without "0x"
        {"80CE", "Samsung"},
        {"0x80CE", "Samsung"},
        {"80ad", "SK Hynix"},
        {"802C", "Micron"},
        {"80FE", "Numonyx"},  // as the published list has them: Elpida is the third bank's
        {"02FE", "Elpida"},
        {"0198", "Kingston"},
        {"859B", "Crucial"},
        {"029E", "Corsair"},
        {"04CD", "G.Skill"},
        {"04CB", "ADATA"},
        // followed by the DRAM's maker and again the module's, as Dell firmware writes them
        {"00AD00B300AD", "SK Hynix"},
        {"00CE063200CE", "Samsung"},
        {"80CE000080CE", "Samsung"},
        {"80AD0000", "SK Hynix"},
        // the two bytes the other way round
        {"CE80", "Samsung"},
        {"0x2C00", "Micron"},
        {"9B85", "Crucial"},
        // the continuation form
        {"7F7F7F7F7F9B0000", "Crucial"},
        {"AD00000000000000", "SK Hynix"},
        {"7F98000000000000", "Kingston"},
        {"JEDEC ID:80 AD", "SK Hynix"},
        {"JEDEC ID:80 CE", "Samsung"},
        // as udev and dmidecode write a code
        {"Bank 2, Hex 0x98", "Kingston"},
        {"Bank 6, Hex 0x9B", "Crucial"},
        // names stay as written, trimmed; unknown codes stay as the firmware wrote them
        {"  Samsung ", "Samsung"},
        {"Hynix Semiconductor", "Hynix Semiconductor"},
        {"Müller RAM", "Müller RAM"},
        {"80FF", "80FF"},
        {"7F7F7F7F7F7F7F7F", "7F7F7F7F7F7F7F7F"},
        {"JEDEC ID:80 7F", "JEDEC ID:80 7F"},
        {"Bank 128, Hex 0xCE", "Bank 128, Hex 0xCE"},
        {"Manufacturer123", "Manufacturer123"},
        {"ManufacturerX", "ManufacturerX"},
        // placeholders
        {"", ""},
        {"   ", ""},
        {"0000", ""},
        {"0x0000", ""},
        {"00000000", ""},
        {"Manufacturer", ""},
        {"Manufacturer00", ""},
        {"manufacturer1", ""},
        {"A1_Manufacturer0", ""},
        {"DIMM_A1_Manufacturer", ""},
        {"Not Specified", ""},
        {"NOT SPECIFIED", ""},
        {"Unknown", ""},
        {"Undefined", ""},
        {"None", ""},
        {"N/A", ""},
        {"NO DIMM", ""},
        {"Empty", ""},
        {"[Empty]", ""},
        {"Default string", ""},
        {"To Be Filled By O.E.M.", ""},
        {"ABCD", ""},
        {"abcd", ""},
        {"JEDEC ID:", ""},
    };
    for (const auto& c : cases) {
        const auto maker = moduleMaker(c.text);
        EXPECT_EQ(maker ? maker->name : "", c.maker) << '"' << c.text << '"';
    }
}

TEST(MemoryMaker, TheRecordedCodeStandsInWhereTheTextNamesNoMaker) {
    EXPECT_EQ(moduleMakerName("Samsung", "80AD"), "Samsung");
    EXPECT_EQ(moduleMakerName("Not Specified", "80AD"), "SK Hynix");
    EXPECT_EQ(moduleMakerName("80FF", "80AD"), "SK Hynix") << "a known code beats an unknown one";
    EXPECT_EQ(moduleMakerName("80FF", "02FE"), "Elpida");
    EXPECT_EQ(moduleMakerName("80FF", "8AFF"), "80FF");
    EXPECT_EQ(moduleMakerName("", "8AFF"), "8AFF");
    EXPECT_EQ(moduleMakerName("80FF", "Bank 128, Hex 0xCE"), "80FF")
        << "an unknown code as udev writes it is no maker's name either";
    EXPECT_EQ(moduleMakerName("Unknown", "Bank 128, Hex 0xCE"), "Bank 128, Hex 0xCE");
    EXPECT_EQ(moduleMakerName("0000", std::nullopt), std::nullopt);
}

TEST(MemoryMaker, ControlCharactersAreBlankedBeforeTheTextIsRead) {
    using namespace std::string_view_literals;
    MemoryMakers makers;
    for (const auto text : {"Samsung"sv, "Samsung\0"sv, "Samsung\v"sv}) {
        if (auto name = moduleMakerName(text, std::nullopt)) makers.add(std::move(*name));
    }
    EXPECT_EQ(makers.text(), "Samsung");
    EXPECT_EQ(moduleMakerName("80CE\0"sv, std::nullopt), "Samsung");
    EXPECT_EQ(moduleMakerName("Not Specified\0"sv, std::nullopt), std::nullopt);
    EXPECT_EQ(moduleMakerName("Not Specified\0"sv, "80AD"), "SK Hynix");
}

TEST(MemoryMaker, DistinctNamesInModuleOrderIgnoringCase) {
    MemoryMakers makers;
    EXPECT_EQ(makers.text(), "");
    for (const char* name : {"SK Hynix", "Samsung", "SAMSUNG", "sk hynix", "Micron", "Samsung"}) {
        makers.add(name);
    }
    EXPECT_EQ(makers.text(), "SK Hynix, Samsung, Micron");
}

}  // namespace
}  // namespace kestrel::test
