#include "ui/qt/browser_environment.h"

#include <unistd.h>

#include <cstdlib>

namespace kestrel::gui {

void prepareBrowserEnvironment() {
    if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    // As it starts, the engine asks whether OpenGL may be used from several threads; on X11 Qt
    // answers by making a trial OpenGL context, which loads the OpenGL driver on the GUI thread
    // (a third of the engine's start). Kestrel draws nothing with OpenGL; the answer is not
    // needed.
    setenv("QT_OPENGL_NO_SANITY_CHECK", "1", 0);
}

}  // namespace kestrel::gui
