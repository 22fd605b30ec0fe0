#include "platform/wmi/variant_value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "error_text.h"
#include "inventory/error.h"
#include "platform/windows/scoped_variant.h"

namespace kestrel::wmi {
namespace {

// A property value as IWbemClassObject::Get fills it in.
class Variant {
  public:
    // Frees the old value and starts a new one of `type` with every bit of its data zero.
    VARIANT& reset(VARTYPE type) {
        VARIANT* v = value_.put();
        v->vt = type;
        v->llVal = 0;
        return *v;
    }
    void text(const wchar_t* value) { reset(VT_BSTR).bstrVal = SysAllocString(value); }

    InventoryValue as(CIMTYPE cimType) const { return toInventoryValue(value_.get(), cimType); }

  private:
    windows::ScopedVariant value_;
};

TEST(VariantValue, TextArrivesAsUtf8) {
    Variant v;
    v.text(L"Kingston");
    EXPECT_EQ(v.as(CIM_STRING), InventoryValue("Kingston"));
    v.text(L"M\u00fcller \u00ae \u4e2d");
    EXPECT_EQ(v.as(CIM_STRING), InventoryValue("M\xc3\xbcller \xc2\xae \xe4\xb8\xad"));
    v.text(L"");
    EXPECT_EQ(v.as(CIM_STRING), InventoryValue(""));
    v.text(L"\xd800x");
    EXPECT_EQ(v.as(CIM_STRING), InventoryValue("\xef\xbf\xbdx")) << "lone surrogate: U+FFFD";
}

TEST(VariantValue, SixtyFourBitNumbersStayDecimalText) {
    Variant v;
    v.text(L"17112760320");
    EXPECT_EQ(v.as(CIM_UINT64), InventoryValue("17112760320"));
}

TEST(VariantValue, IntegersOfEveryWidth) {
    Variant v;
    v.reset(VT_I4).lVal = 2400;
    EXPECT_EQ(v.as(CIM_UINT32), InventoryValue(2400));
    v.reset(VT_I4).lVal = -5;
    EXPECT_EQ(v.as(CIM_SINT32), InventoryValue(-5));
    v.reset(VT_I2).iVal = -300;
    EXPECT_EQ(v.as(CIM_SINT16), InventoryValue(-300));
    v.reset(VT_I1).cVal = -3;
    EXPECT_EQ(v.as(CIM_SINT8), InventoryValue(-3));
    v.reset(VT_UI1).bVal = 200;
    EXPECT_EQ(v.as(CIM_UINT8), InventoryValue(200));
    v.reset(VT_UI2).uiVal = 65535;
    EXPECT_EQ(v.as(CIM_UINT16), InventoryValue(65535));
    v.reset(VT_UI4).ulVal = 4000000000u;
    EXPECT_EQ(v.as(CIM_UINT32), InventoryValue(std::int64_t{4000000000}));
    v.reset(VT_I8).llVal = -17112760320;
    EXPECT_EQ(v.as(CIM_SINT64), InventoryValue(std::int64_t{-17112760320}));
    v.reset(VT_UI8).ullVal = 17112760320u;
    EXPECT_EQ(v.as(CIM_UINT64), InventoryValue(std::int64_t{17112760320}));
}

TEST(VariantValue, AnUnsigned32BitValueInASignedVariantKeepsItsMagnitude) {
    // The instrumentation sends uint32 in a VT_I4: 2 TiB of MaxCapacity (in kilobytes) and up
    // would read negative.
    Variant v;
    v.reset(VT_I4).lVal = static_cast<LONG>(0x80000000u);
    EXPECT_EQ(v.as(CIM_UINT32), InventoryValue(std::int64_t{0x80000000}));
    v.reset(VT_I4).lVal = -1;
    EXPECT_EQ(v.as(CIM_UINT32), InventoryValue(std::int64_t{0xFFFFFFFF}));
}

TEST(VariantValue, NarrowerUnsignedValuesInSignedVariantsKeepTheirMagnitude) {
    // A count of 40000 slots would otherwise read as -25536, and be refused as no count.
    Variant v;
    v.reset(VT_I2).iVal = static_cast<SHORT>(40000);
    EXPECT_EQ(v.as(CIM_UINT16), InventoryValue(40000));
    v.reset(VT_I1).cVal = static_cast<CHAR>(200);
    EXPECT_EQ(v.as(CIM_UINT8), InventoryValue(200));
}

TEST(VariantValue, UnsignedBeyondInt64BecomesText) {
    Variant v;
    v.reset(VT_UI8).ullVal = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(v.as(CIM_UINT64), InventoryValue("18446744073709551615"));
}

TEST(VariantValue, RealsNullEmptyAndFlags) {
    Variant v;
    v.reset(VT_R4).fltVal = 1.5f;
    EXPECT_EQ(v.as(CIM_REAL32), InventoryValue(1.5));
    v.reset(VT_R8).dblVal = 389.12;
    EXPECT_EQ(v.as(CIM_REAL64), InventoryValue(389.12));
    v.reset(VT_NULL);
    EXPECT_TRUE(v.as(CIM_UINT32).isNull());
    v.reset(VT_EMPTY);
    EXPECT_TRUE(v.as(CIM_UINT32).isEmpty());
    v.reset(VT_BOOL).boolVal = VARIANT_TRUE;
    EXPECT_EQ(v.as(CIM_BOOLEAN), InventoryValue("True"));
    v.reset(VT_BOOL).boolVal = VARIANT_FALSE;
    EXPECT_EQ(v.as(CIM_BOOLEAN), InventoryValue("False"));
}

TEST(VariantValue, TypesTheScanNeverReadsAreErrorsNamingTheType) {
    Variant v;
    v.reset(VT_ARRAY | VT_BSTR);
    const std::string error = test::errorOf([&] { v.as(CIM_STRING | CIM_FLAG_ARRAY); });
    EXPECT_NE(error.find("0x2008"), std::string::npos) << error;
    v.reset(VT_DATE);
    EXPECT_THROW(v.as(CIM_DATETIME), Error);
    v.reset(VT_UNKNOWN);
    EXPECT_THROW(v.as(CIM_OBJECT), Error);
}

}  // namespace
}  // namespace kestrel::wmi
