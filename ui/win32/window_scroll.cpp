#include "ui/win32/window_scroll.h"

#include <algorithm>

#include "ui/win32/dpi.h"

namespace kestrel::win32 {
namespace {

// A line of the scroll bar's arrows and of the wheel, in 96-dpi pixels.
constexpr int kLine = 16;

SCROLLINFO scrollInfo(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

void scrollTo(HWND window, int bar, int position) {
    const SCROLLINFO before = scrollInfo(window, bar);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(window, bar, &info, TRUE);
    // The system keeps the position inside the range.
    const int moved = before.nPos - scrollInfo(window, bar).nPos;
    if (moved == 0) return;
    ScrollWindowEx(window, bar == SB_HORZ ? moved : 0, bar == SB_VERT ? moved : 0, nullptr, nullptr,
                   nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

}  // namespace

void resetScroll(HWND window, int contentWidth, int contentHeight) {
    // A bar shown takes room from the client area, which may call for the other bar: twice.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        GetClientRect(window, &client);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = contentHeight - 1;
        info.nPage = static_cast<UINT>(std::max(0L, client.bottom));
        SetScrollInfo(window, SB_VERT, &info, TRUE);
        info.nMax = contentWidth - 1;
        info.nPage = static_cast<UINT>(std::max(0L, client.right));
        SetScrollInfo(window, SB_HORZ, &info, TRUE);
    }
}

bool handleScroll(HWND window, UINT message, WPARAM wParam) {
    if (message != WM_VSCROLL && message != WM_HSCROLL && message != WM_MOUSEWHEEL) return false;
    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    const SCROLLINFO info = scrollInfo(window, bar);
    const int line = kLine * dpiOf(window) / 96;
    int position = info.nPos;
    if (message == WM_MOUSEWHEEL) {
        position -= GET_WHEEL_DELTA_WPARAM(wParam) * 3 * line / WHEEL_DELTA;
    } else {
        switch (LOWORD(wParam)) {
            case SB_LINEUP:
                position -= line;
                break;
            case SB_LINEDOWN:
                position += line;
                break;
            case SB_PAGEUP:
                position -= static_cast<int>(info.nPage);
                break;
            case SB_PAGEDOWN:
                position += static_cast<int>(info.nPage);
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION:
                position = info.nTrackPos;
                break;
            case SB_TOP:
                position = info.nMin;
                break;
            case SB_BOTTOM:
                position = info.nMax;
                break;
            default:
                break;
        }
    }
    scrollTo(window, bar, position);
    return true;
}

}  // namespace kestrel::win32
