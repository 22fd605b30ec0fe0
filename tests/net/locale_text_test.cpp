#include "net/locale_text.h"

#include <gtest/gtest.h>

#include "inventory/error.h"

namespace kestrel::test {
namespace {

TEST(LocaleText, EightBitCharacterSetsMapEveryByteTheyDefine) {
    EXPECT_EQ(toUtf8("caf\xE9 \xA3"
                     "5",
                     "ISO-8859-1"),
              "café £5");
    EXPECT_EQ(toUtf8("\x80 \x93quoted\x94", "CP1252"), "€ “quoted”");
    EXPECT_EQ(toUtf8(std::string("a\0b", 3), "ISO-8859-1"), std::string("a\0b", 3));
}

TEST(LocaleText, UnreadableBytesBecomeOneReplacementCharacterEach) {
    EXPECT_EQ(toUtf8("x\x81y", "CP1252"), "x\uFFFDy");
    EXPECT_EQ(toUtf8("x\xE9y", "ANSI_X3.4-1968"), "x\uFFFDy");
    EXPECT_EQ(toUtf8("\xC3\xA9 \xE9 \xC0\xAF", "UTF-8"), "é \uFFFD \uFFFD\uFFFD");
    // A UTF-8 sequence cut short by the end of the buffer, as a 1000-byte cut can leave it.
    EXPECT_EQ(toUtf8("ok\xE2\x82", "UTF-8"), "ok\uFFFD\uFFFD");
}

TEST(LocaleText, LongInputIsConvertedWhole) {
    const std::string latin(10000, '\xE9');
    std::string expected;
    for (int i = 0; i < 10000; ++i) expected += "é";
    EXPECT_EQ(toUtf8(latin, "ISO-8859-1"), expected);
}

TEST(LocaleText, UnknownCharacterSetIsAnError) {
    EXPECT_THROW(toUtf8("x", "NO-SUCH-CHARSET"), Error);
}

}  // namespace
}  // namespace kestrel::test
