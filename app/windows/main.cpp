// kestrel.exe: the disclaimer, the scan screen and the main window with the selector page, on
// Win32.
#include "ui/win32/windows_api.h"

#include <string>

#include "net/wininet_page_reader.h"
#include "ui/forms/window_runtime.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/web_browser.h"
#include "ui/win32/win32_desktop.h"
#include "ui/win32/win32_screens.h"
#include "wiring/data_source.h"

namespace {

// The file name of this program, which the browser's per-program settings are keyed by.
std::wstring programFileName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full = path;
    return full.substr(full.find_last_of(L"\\/") + 1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kestrel;
    win32::Win32MessageBox messages;
    forms::WindowRuntime runtime(messages, [](int status) { PostQuitMessage(status); });
    int status = forms::WindowRuntime::kUntrappedErrorStatus;
    runtime.handle([&] {
        win32::preferCurrentBrowserEngine(programFileName());
        const win32::OleSession ole;
        win32::Win32Clipboard clipboard;
        win32::Win32ProcessStart processes;
        WinInetPageReader pages;
        forms::Desktop desktop{messages, clipboard, processes, pages};
        win32::Win32Screens screens(runtime, desktop,
                                    [] { return openDataSource(ThisMachine{}).service; });
        runtime.handle([&] { screens.start(); });
        status = win32::runMessageLoop();
    });
    return status;
}
