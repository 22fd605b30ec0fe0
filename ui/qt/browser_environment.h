#pragma once

namespace kestrel::gui {

// Settings the embedded browser needs before QApplication is created. Chromium refuses to start
// its sandbox as root, so for root (and only root) the sandbox is switched off; and Qt is told
// not to try OpenGL out, which Kestrel does not use. (The share context the browser looks for is
// set when its plugin loads, not at start-up.)
void prepareBrowserEnvironment();

}  // namespace kestrel::gui
