#pragma once

#include "ui/win32/windows_api.h"

namespace kestrel::win32 {

// The window class of the browser's rectangle: a plain child window that the WebBrowser control
// runs inside, and that keeps the control sized to it.
inline constexpr const wchar_t* kBrowserSiteClass = L"KestrelBrowserSite";

// Registers the class once per process.
void registerBrowserSiteClass();

class WebBrowser;

// The browser that runs in window (made by this class), or nullptr while none does.
WebBrowser* browserIn(HWND window);
// Lets browser run in window; the window does not own it.
void setBrowserIn(HWND window, WebBrowser* browser);

}  // namespace kestrel::win32
