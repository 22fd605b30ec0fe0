#pragma once

#include "ui/win32/windows_api.h"

#include <optional>
#include <string_view>

namespace kestrel::win32 {

// How a top-level window is framed and where it goes: its frame is what the layout files do not
// say; its place comes from them.
struct WindowFrame {
    DWORD style = 0;
    DWORD exStyle = 0;
    // Windows without a task-bar button are owned by a hidden window, as owned windows get none.
    bool taskBarButton = true;
    // Where the client area's top-left corner goes on the screen, in twips; none: centred.
    std::optional<POINT> clientTwips;
    // Screen readers are told it is a dialog.
    bool dialogRole = false;
};

// The frame of the window called name. Throws kestrel::Error for an unknown window.
WindowFrame windowFrameOf(std::string_view name);

}  // namespace kestrel::win32
