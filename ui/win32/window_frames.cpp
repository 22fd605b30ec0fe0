#include "ui/win32/window_frames.h"

#include <string>

#include "inventory/error.h"
#include "ui/layout/layout_names.h"

namespace kestrel::win32 {

WindowFrame windowFrameOf(std::string_view name) {
    if (name == layout::dialog::kWindow) {
        // Fixed dialog frame: title bar with the system menu and close box, nothing to resize.
        return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, false,
                POINT{layout::dialog::kPlace.x, layout::dialog::kPlace.y}, true};
    }
    if (name == layout::frm_splash::kWindow) {
        // A dialog frame without a caption: no title bar and no buttons on it.
        return {WS_POPUP | WS_DLGFRAME, WS_EX_DLGMODALFRAME, false, std::nullopt};
    }
    if (name == layout::form1::kWindow) {
        // Fixed single: thin border, minimize box, no maximize.
        return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW, true,
                POINT{layout::form1::kPlace.x, layout::form1::kPlace.y}};
    }
    throw Error("no window frame for " + std::string(name));
}

}  // namespace kestrel::win32
