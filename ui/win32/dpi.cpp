#include "ui/win32/dpi.h"

namespace kestrel::win32 {
namespace {

// Bound by name: both came with Windows 10, and Kestrel starts on older systems too.
template <class Function>
Function user32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

int dpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT windowRectFor(RECT client, DWORD style, DWORD exStyle, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    }
    return client;
}

int scrollBarWidthFor(int dpi) {
    using MetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto metricsForDpi = user32Function<MetricsForDpiFn>("GetSystemMetricsForDpi");
    if (metricsForDpi) return metricsForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi));
    return GetSystemMetrics(SM_CXVSCROLL);
}

}  // namespace kestrel::win32
