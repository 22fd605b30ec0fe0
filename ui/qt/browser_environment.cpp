#include "ui/qt/browser_environment.h"

#ifndef _WIN32
#include <unistd.h>

#include <cstdlib>
#endif

namespace kestrel::gui {

void prepareBrowserEnvironment() {
#ifndef _WIN32
    if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
#endif
}

}  // namespace kestrel::gui
