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

}  // namespace
}  // namespace kestrel
