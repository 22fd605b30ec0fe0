#include "platform/wmi/variant_value.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "inventory/error.h"
#include "platform/windows/utf16.h"

namespace kestrel::wmi {
namespace {

std::string typeText(VARTYPE type) {
    char text[7];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(type));
    return text;
}

InventoryValue fromUnsigned64(std::uint64_t value) {
    // Beyond int64 the value goes the way the instrumentation sends 64-bit numbers: as text.
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return InventoryValue(std::to_string(value));
    }
    return InventoryValue(static_cast<std::int64_t>(value));
}

}  // namespace

InventoryValue toInventoryValue(const VARIANT& value, CIMTYPE cimType) {
    switch (value.vt) {
        case VT_EMPTY:
            return InventoryValue();
        case VT_NULL:
            return InventoryValue::null();
        case VT_BSTR:
            return InventoryValue(windows::toUtf8({value.bstrVal, SysStringLen(value.bstrVal)}));
        case VT_BOOL:
            return InventoryValue(value.boolVal == VARIANT_FALSE ? "False" : "True");
        case VT_I1:
            if (cimType == CIM_UINT8) {
                return InventoryValue(std::int64_t{static_cast<std::uint8_t>(value.cVal)});
            }
            return InventoryValue(std::int64_t{value.cVal});
        case VT_UI1:
            return InventoryValue(std::int64_t{value.bVal});
        case VT_I2:
            if (cimType == CIM_UINT16) {
                return InventoryValue(std::int64_t{static_cast<std::uint16_t>(value.iVal)});
            }
            return InventoryValue(std::int64_t{value.iVal});
        case VT_UI2:
            return InventoryValue(std::int64_t{value.uiVal});
        case VT_I4:
            if (cimType == CIM_UINT32) {
                return InventoryValue(std::int64_t{static_cast<std::uint32_t>(value.lVal)});
            }
            return InventoryValue(std::int64_t{value.lVal});
        case VT_UI4:
            return InventoryValue(std::int64_t{value.ulVal});
        case VT_INT:
            return InventoryValue(std::int64_t{value.intVal});
        case VT_UINT:
            return InventoryValue(std::int64_t{value.uintVal});
        case VT_I8:
            return InventoryValue(std::int64_t{value.llVal});
        case VT_UI8:
            return fromUnsigned64(value.ullVal);
        case VT_R4:
            return InventoryValue(double{value.fltVal});
        case VT_R8:
            return InventoryValue(value.dblVal);
        default:
            throw Error("unsupported value type " + typeText(value.vt) + " (CIM type " +
                        std::to_string(cimType) + ")");
    }
}

}  // namespace kestrel::wmi
