#pragma once

#include "ui/win32/windows_api.h"

namespace kestrel::win32 {

// The scroll bars of a window whose client area may show only part of its laid-out content;
// scrolling moves the window's controls.

// Content of that size, its controls placed at its start: bars where the client area is smaller.
void resetScroll(HWND window, int contentWidth, int contentHeight);
// Scrolls for a scroll bar or mouse wheel message; false for any other message.
bool handleScroll(HWND window, UINT message, WPARAM wParam);

}  // namespace kestrel::win32
