#include "ui/win32/error_boundary.h"

#include "ui/win32/windows_api.h"

#include <cstdlib>
#include <exception>
#include <string>

#include "ui/win32/message_box.h"

namespace kestrel::win32 {

void guardHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        showMessage(nullptr, std::string("Run-time error: ") + error.what());
        // exit, not ExitProcess: what Kestrel set for itself is undone at exit.
        std::exit(1);
    }
}

}  // namespace kestrel::win32
