#include "platform/wmi/bstr.h"

#include <string>

#include "inventory/error.h"
#include "inventory/text_helpers.h"
#include "platform/wmi/utf16.h"

namespace kestrel::wmi {

Bstr::Bstr(std::string_view utf8) {
    const std::wstring wide = toUtf16(utf8);
    text_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!text_) throw Error("out of memory for " + quoteValue(utf8));
}

}  // namespace kestrel::wmi
