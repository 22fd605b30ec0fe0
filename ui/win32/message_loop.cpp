#include "ui/win32/message_loop.h"

#include "ui/win32/windows_api.h"

#include <ole2.h>

#include "inventory/error.h"
#include "platform/windows/com_error.h"
#include "ui/win32/form_window.h"

namespace kestrel::win32 {

OleSession::OleSession() {
    const HRESULT result = OleInitialize(nullptr);
    if (FAILED(result)) throw Error("cannot start OLE: " + windows::hresultText(result));
}

OleSession::~OleSession() { OleUninitialize(); }

void deliverMessage(MSG& message) {
    FormWindow* form = formWindowOf(message.hwnd);
    if (form && message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
        form->tab(GetKeyState(VK_SHIFT) < 0);
        return;
    }
    if (form && form->previewCharacter(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) deliverMessage(message);
    return static_cast<int>(message.wParam);
}

}  // namespace kestrel::win32
