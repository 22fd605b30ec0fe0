#pragma once

#include "ui/win32/windows_api.h"

#include <exdisp.h>
#include <ole2.h>

#include <string>

#include "platform/windows/com_ptr.h"

namespace kestrel::win32 {

class BrowserSite;

// The system's WebBrowser control, running in place inside one child window and filling it.
// Silent: script errors on a page open no dialogs. Needs OLE on the thread (OleSession).
class WebBrowser {
  public:
    // Throws kestrel::Error when the control cannot be created or activated.
    explicit WebBrowser(HWND window);
    ~WebBrowser();
    WebBrowser(const WebBrowser&) = delete;
    WebBrowser& operator=(const WebBrowser&) = delete;

    // Starts loading url and returns at once. Throws kestrel::Error when the control refuses.
    void navigate(const std::string& url);
    // Follows the window's size; its owner calls this when the window was resized.
    void fitWindow();

  private:
    HWND window_;
    BrowserSite* site_;
    windows::ComPtr<IOleObject> object_;
    windows::ComPtr<IWebBrowser2> browser_;
};

// Makes the WebBrowser control of the program named exeName (kestrel.exe) render pages in the
// current engine rather than the IE 7 mode it keeps for unknown programs. A per-user setting,
// written only where the user has none for exeName, and removed again when the process ends
// through exit() (as returning from WinMain does); where it cannot be written the pages still
// show, in the older mode. Called once, at start.
void preferCurrentBrowserEngine(const std::wstring& exeName);

}  // namespace kestrel::win32
