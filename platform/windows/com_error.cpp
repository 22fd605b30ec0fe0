#include "platform/windows/com_error.h"

#include <cstdio>

#include "inventory/error.h"

namespace kestrel::windows {

std::string hresultText(HRESULT result) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

void check(HRESULT result, std::string_view call) {
    if (FAILED(result)) {
        throw Error(std::string(call) + " failed with HRESULT " + hresultText(result));
    }
}

}  // namespace kestrel::windows
