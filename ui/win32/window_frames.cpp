#include "ui/win32/window_frames.h"

#include <string>

#include "inventory/error.h"

namespace kestrel::win32 {

WindowFrame windowFrameOf(std::string_view name) {
    if (name == "Dialog") {
        // Fixed dialog frame: title bar with the system menu and close box, nothing to resize.
        return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, false, POINT{5025, 2115},
                true};
    }
    if (name == "frmSplash") {
        // A dialog frame without a caption: no title bar and no buttons on it.
        return {WS_POPUP | WS_DLGFRAME, WS_EX_DLGMODALFRAME, false, std::nullopt};
    }
    if (name == "Form1") {
        // Fixed single: thin border, minimize box, no maximize.
        return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW, true,
                POINT{1845, 330}};
    }
    throw Error("no window frame for " + std::string(name));
}

}  // namespace kestrel::win32
