#include "ui/win32/process_start.h"

#include "ui/win32/windows_api.h"

#include "inventory/error.h"
#include "platform/windows/utf16.h"

namespace kestrel::win32 {

void startCommandLine(const std::string& commandLine, int showCode) {
    std::wstring line = windows::toUtf16(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCode);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw Error("cannot start " + commandLine);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace kestrel::win32
