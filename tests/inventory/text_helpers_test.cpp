#include "inventory/text_helpers.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(ParseDecimal, OnlyFiniteDecimalNumbers) {
    EXPECT_EQ(parseDecimal(" 4.5\t"), 4.5);
    EXPECT_EQ(parseDecimal("-1e3"), -1000.0);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    for (const char* text : {"inf", "-inf", "nan", "NaN", "infinity", "1e400", "-1e400", "0x10", "",
                             " ", "-", "4 5", "+4", "4,5"}) {
        EXPECT_EQ(parseDecimal(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(ParseWholeNumber, SixtyFourBitsAndNothingAfterTheDigits) {
    EXPECT_EQ(parseWholeNumber(" -9223372036854775808 "), INT64_MIN);
    EXPECT_EQ(parseWholeNumber("9223372036854775807"), INT64_MAX);
    for (const char* text : {"9223372036854775808", "12kB", "1.5", "", "0x1"}) {
        EXPECT_EQ(parseWholeNumber(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(TrimBlanks, SpacesTabsAndLineEndsAreBlanksNothingElse) {
    EXPECT_EQ(trimBlanks(" \t\r\nDDR4 \r\n"), "DDR4");
    EXPECT_EQ(trimTrailingBlanks(" Lenovo\t\r\n"), " Lenovo");
    const std::string_view controls("\v\fx\x00", 4);
    EXPECT_EQ(trimBlanks(controls), controls) << "other controls stay";
    EXPECT_EQ(trimBlanks(" \t\r\n"), "");
}

TEST(ParseInteger, TheWholeTextInTheBaseAndNothingElse) {
    EXPECT_EQ(parseInteger("12"), 12);
    EXPECT_EQ(parseInteger("-7"), -7);
    EXPECT_EQ(parseInteger("cE", 16), 0xCE);
    for (const char* text : {"", " 1", "1 ", "1x", "+1", "1.0", "0x1", "9223372036854775808"}) {
        EXPECT_EQ(parseInteger(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(parseWholeNumber("\t42\r\n"), 42) << "parseWholeNumber trims blanks first";
}

TEST(EqualsIgnoringCase, AsciiLettersOnly) {
    EXPECT_TRUE(equalsIgnoringCase("Win32_Bios", "WIN32_BIOS"));
    EXPECT_FALSE(equalsIgnoringCase("Win32_Bios", "Win32_Bio"));
    EXPECT_FALSE(equalsIgnoringCase("\xC3\xA9", "\xC3\x89")) << "é and É are bytes, not letters";
    EXPECT_TRUE(CaseInsensitiveLess{}("apple", "BANANA"));
    EXPECT_FALSE(CaseInsensitiveLess{}("Apple", "apple"));
}

TEST(FirmwareText, Utf8StaysAnythingElseIsReadAsWindows1252) {
    EXPECT_EQ(firmwareText("Pr\xC3\xBC"
                           "fstand \xE2\x84\x96"
                           "3"),
              "Prüfstand №3");
    EXPECT_EQ(firmwareText("Caf\xE9 M\xFCller"), "Café Müller");
    EXPECT_EQ(firmwareText("\x80 \x99 \x81"), "€ ™ \xC2\x81");
    // Byte sequences that look like UTF-8 but are not: overlong, a surrogate, cut short.
    EXPECT_EQ(firmwareText("\xC0\xAF"), "À¯");
    EXPECT_EQ(firmwareText("\xED\xA0\x80"), "í\xC2\xA0€");
    EXPECT_EQ(firmwareText("ab\xC3"), "abÃ");
}

TEST(BlankControls, EachControlCharacterBecomesOneBlank) {
    EXPECT_EQ(blankControls(std::string("a\r\nb\tc\x1B[0m\x7F"
                                        "d\0e",
                                        14)),
              "a  b c [0m d e");
    EXPECT_EQ(blankControls("Müller €"), "Müller €") << "multi-byte characters stay";
}

TEST(BlankControls, C1ControlsAndLineSeparatorsBecomeOneBlankEach) {
    // NEL and a terminal's single-byte CSI as valid UTF-8, the line and paragraph separators.
    EXPECT_EQ(blankControls("a\xC2\x85"
                            "b\xC2\x9B"
                            "2Jc\xE2\x80\xA8"
                            "d\xE2\x80\xA9"
                            "e\xC2\x80\xC2\x9F"),
              "a b 2Jc d e  ");
    // The bytes that Windows-1252 leaves unassigned, and broken UTF-8 read the same way.
    EXPECT_EQ(blankControls("\x81\x8D\x8F\x90\x9D|\xC3"), "     |\xC3\x83");
    EXPECT_EQ(blankControls("\x80\x99"), "\xE2\x82\xAC\xE2\x84\xA2") << "€ and ™ are text";
}

TEST(BlankControls, OtherFormatCharactersAndNeighboursOfTheBlankedOnesStay) {
    for (const char* text : {"\xE2\x80\x8E"      // left-to-right mark
                             "\xE2\x80\xAE"      // right-to-left override
                             "\xE2\x80\xA7"      // hyphenation point, just before U+2028
                             "\xE2\x80\xAA"      // left-to-right embedding, just after U+2029
                             "\xC2\xA0\xC2\xBF"  // no-break space, inverted question mark
                             "\xE2\x81\xA8"}) {  // first strong isolate
        EXPECT_EQ(blankControls(text), text);
    }
}

TEST(QuoteValue, OneShortLineInQuotes) {
    EXPECT_EQ(quoteValue("12\r\nkestrel-scan: FORGED\x1B[2J"), "\"12  kestrel-scan: FORGED [2J\"");
    EXPECT_EQ(quoteValue("Caf\xE9"), "\"Café\"");
    const std::string wide(300, 'x');
    EXPECT_EQ(quoteValue(wide), "\"" + wide.substr(0, 200) + "\u2026\"");
    EXPECT_EQ(quoteValue(wide.substr(0, 200)), "\"" + wide.substr(0, 200) + "\"") << "no cut";
    // Characters, not bytes: 250 two-byte characters keep 200 whole ones.
    std::string umlauts;
    for (int i = 0; i < 250; ++i) umlauts += "\u00fc";
    EXPECT_EQ(quoteValue(umlauts), "\"" + umlauts.substr(0, 400) + "\u2026\"");
}

}  // namespace
}  // namespace kestrel
