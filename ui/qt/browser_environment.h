#pragma once

namespace kestrel::gui {

// Settings the embedded browser needs before QApplication is created. Chromium refuses to start
// its sandbox as root, so for root (and only root) the sandbox is switched off. (The OpenGL share
// context the browser needs is made when its plugin loads, not at start-up.)
void prepareBrowserEnvironment();

}  // namespace kestrel::gui
