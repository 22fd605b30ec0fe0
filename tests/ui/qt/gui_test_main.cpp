// Widget tests run on Qt's offscreen platform, one QApplication per test process.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/browser_environment.h"
#include "ui/qt/window_look.h"

#if defined(__SANITIZE_ADDRESS__)
// Under AddressSanitizer: Chromium, inside the browser engine, frees some objects through a
// base class of another size, and the engine and the font libraries keep allocations for the
// life of the process. Neither is Kestrel's to fix; everything else is still checked.
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\n"
           "leak:libfontconfig.so\n";
}
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // One 1280 x 1024 screen, as on the whole-program tests' displays: the main window fits it
    // (the platform's own default, 800 x 600, would shorten it).
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KESTREL_OFFSCREEN_SCREEN);
    // The embedded browser must not reach the network: its requests go to a closed loopback
    // port.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--proxy-server=http://127.0.0.1:9");
    kestrel::gui::prepareBrowserEnvironment();
    QApplication app(argc, argv);
    kestrel::gui::installWindowLook();
    return RUN_ALL_TESTS();
}
