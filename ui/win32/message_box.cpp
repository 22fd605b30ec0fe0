#include "ui/win32/message_box.h"

#include "platform/windows/utf16.h"
#include "ui/forms/message_box.h"

namespace kestrel::win32 {

void showMessage(HWND owner, const std::string& text) {
    MessageBoxW(owner, windows::toUtf16(text).c_str(),
                windows::toUtf16(forms::kApplicationTitle).c_str(), MB_OK | MB_SETFOREGROUND);
}

}  // namespace kestrel::win32
