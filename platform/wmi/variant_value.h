#pragma once

// windows.h first: the OLE headers rely on its types.
#include <windows.h>

#include <oleauto.h>
#include <wbemcli.h>

#include "inventory/inventory_value.h"

namespace kestrel::wmi {

// A property value as IWbemClassObject::Get delivers it, with its CIM type.
// - VT_BSTR: UTF-8 text. The instrumentation sends 64-bit integers (Capacity,
//   TotalPhysicalMemory) as decimal text; they stay text, and the scan's arithmetic reads them.
// - Integer types: integer. An unsigned number may arrive in a signed type (a uint32 in VT_I4),
//   so its CIM type decides how its bits read.
// - VT_R4, VT_R8: double. VT_NULL: Null. VT_EMPTY: Empty.
// - VT_BOOL: the text "True" or "False", as the instrumentation's own tools show a flag.
// Throws Error for any other type (arrays, dates, objects): the scan reads none of them.
InventoryValue toInventoryValue(const VARIANT& value, CIMTYPE cimType);

}  // namespace kestrel::wmi
