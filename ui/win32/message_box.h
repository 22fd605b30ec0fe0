#pragma once

#include "ui/win32/windows_api.h"

#include <string>

namespace kestrel::win32 {

// Kestrel's message box: modal to owner (may be null), the UTF-8 text, the OK button only, no
// icon, the application title as caption. Returns when dismissed.
void showMessage(HWND owner, const std::string& text);

}  // namespace kestrel::win32
