#include "ui/win32/browser_site_window.h"

#include "ui/win32/web_browser.h"

namespace kestrel::win32 {
namespace {

LRESULT CALLBACK siteProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (WebBrowser* browser = browserIn(window)) browser->fitWindow();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void registerBrowserSiteClass() {
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = siteProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = kBrowserSiteClass;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
}

WebBrowser* browserIn(HWND window) {
    return reinterpret_cast<WebBrowser*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void setBrowserIn(HWND window, WebBrowser* browser) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(browser));
}

}  // namespace kestrel::win32
