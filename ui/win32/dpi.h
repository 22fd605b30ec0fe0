#pragma once

#include "ui/win32/windows_api.h"

namespace kestrel::win32 {

// The dots per inch of the monitor that window is on (of the primary screen before Windows 10,
// whose programs are scaled by the system instead).
int dpiOf(HWND window);

// The outer rectangle of a window whose client area is client, for its styles at dpi.
RECT windowRectFor(RECT client, DWORD style, DWORD exStyle, int dpi);

// The width of a vertical scroll bar at dpi.
int scrollBarWidthFor(int dpi);

}  // namespace kestrel::win32
