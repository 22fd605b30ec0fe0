#include <windows.h>

#include <string>

#include "inventory/error.h"
#include "ui/qt/process_start.h"

namespace kestrel::gui {

void startCommandLine(const QString& commandLine) {
    std::wstring line = commandLine.toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // No application name: the system splits the command line itself, trying each blank in an
    // unquoted path in turn.
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw Error("cannot start " + commandLine.toStdString());
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace kestrel::gui
