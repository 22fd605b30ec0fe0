#include "platform/windows/bstr.h"

#include <string>

#include "inventory/error.h"
#include "inventory/text_helpers.h"
#include "platform/windows/utf16.h"

namespace kestrel::windows {

Bstr::Bstr(std::string_view utf8) {
    const std::wstring wide = toUtf16(utf8);
    text_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!text_) throw Error("out of memory for " + quoteValue(utf8));
}

}  // namespace kestrel::windows
