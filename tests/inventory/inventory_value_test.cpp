#include "inventory/inventory_value.h"

#include <gtest/gtest.h>

#include "inventory/error.h"
#include "inventory/memory_text.h"

namespace kestrel {
namespace {

TEST(ValueText, NumbersInGeneralFormWithTheGivenSeparator) {
    const ValueFormat point;
    EXPECT_EQ(point.text(4096.0), "4096");
    EXPECT_EQ(point.text(7.9), "7.9");
    EXPECT_EQ(point.text(389.12), "389.12");
    EXPECT_EQ(point.text(1e9 / 1048576.0), "953.67431640625");
    EXPECT_EQ(point.text(0.0), "0");
    EXPECT_EQ(point.text(-2.5), "-2.5");
    EXPECT_EQ(point.text(std::int64_t{8480157696}), "8480157696");
    EXPECT_EQ(point.text(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(ValueFormat(",").text(389.12), "389,12");
    EXPECT_EQ(ValueFormat(",").text(4096.0), "4096");
}

TEST(ValueText, EmptyAndNullHaveNoText) {
    const ValueFormat format;
    EXPECT_EQ(format.text(InventoryValue()), "");
    EXPECT_EQ(format.text(InventoryValue::null()), "");
    EXPECT_EQ(format.text("  Intel(R) Xeon  "), "  Intel(R) Xeon  ");
}

TEST(ValueJoin, NullAndEmptyAddNothingAndOnlyTwoNullsStayNull) {
    const ValueFormat format;
    EXPECT_EQ(format.join(InventoryValue::null(), " MB"), InventoryValue(" MB"));
    EXPECT_EQ(format.join(InventoryValue(), InventoryValue::null()), InventoryValue(""));
    EXPECT_TRUE(format.join(InventoryValue::null(), InventoryValue::null()).isNull());
    EXPECT_EQ(format.join(std::int64_t{667}, " MHz"), InventoryValue("667 MHz"));
    EXPECT_EQ(ValueFormat(",").join(953.5, " MB"), InventoryValue("953,5 MB"));
}

TEST(ValueDivide, AcceptsDecimalTextAndPassesNullThrough) {
    EXPECT_EQ(divide("4294967296", 1048576.0), InventoryValue(4096.0));
    EXPECT_EQ(divide(std::int64_t{524288}, 1048576.0), InventoryValue(0.5));
    EXPECT_EQ(divide(InventoryValue(), 2.0), InventoryValue(0.0));
    EXPECT_TRUE(divide(InventoryValue::null(), 2.0).isNull());
    EXPECT_THROW(divide("12 GB", 2.0), Error);
    EXPECT_THROW(divide("", 2.0), Error);
    EXPECT_THROW(divide(1.0, 0.0), Error);
}

TEST(ValueContains, OrdinalAndCaseSensitive) {
    EXPECT_TRUE(contains("System manufacturer", "System"));
    EXPECT_TRUE(contains("To be filled System", "System"));
    EXPECT_FALSE(contains("SYSTEM MANUFACTURER", "System"));
    EXPECT_FALSE(contains("system", "System"));
    EXPECT_FALSE(contains(InventoryValue::null(), "System"));
    EXPECT_FALSE(contains(InventoryValue(), ""));
}

TEST(Rounding, TwoDecimalsTiesToEven) {
    EXPECT_DOUBLE_EQ(roundToCents(0.125), 0.12);
    EXPECT_DOUBLE_EQ(roundToCents(0.375), 0.38);
    EXPECT_DOUBLE_EQ(roundToCents(0.625), 0.62);
    EXPECT_DOUBLE_EQ(roundToCents(7.8977), 7.9);
    EXPECT_DOUBLE_EQ(roundToCents(8480157696.0 / 1073741824.0), 7.9);
    EXPECT_DOUBLE_EQ(roundToCents(17112760320.0 / 1073741824.0), 15.94);
    EXPECT_DOUBLE_EQ(roundToCents(1068498944.0 / 1073741824.0), 1.0);
}

TEST(MemoryText, GigabytesFromOneUpMegabytesFromTheExactSizeBelow) {
    const ValueFormat format;
    const auto fromBytes = [&](double bytes) {
        return memoryText(roundToCents(bytes / 1073741824.0), bytes / 1048576.0, format);
    };
    EXPECT_EQ(fromBytes(8480157696), "7.9 GB");
    EXPECT_EQ(fromBytes(17112760320), "15.94 GB");
    EXPECT_EQ(fromBytes(1073741824), "1 GB");
    EXPECT_EQ(fromBytes(1068498944), "1 GB");
    EXPECT_EQ(fromBytes(536870912), "512 MB");
    EXPECT_EQ(fromBytes(402653184), "384 MB");  // not 389.12: the exact size, not 0.38 GB
    EXPECT_EQ(fromBytes(134217728), "128 MB");
    EXPECT_EQ(fromBytes(0), "0 MB");
    EXPECT_EQ(memoryText(0.75, 765.555, ValueFormat(",")), "765,56 MB");
}

}  // namespace
}  // namespace kestrel
