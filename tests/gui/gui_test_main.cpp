// Widget tests run on Qt's offscreen platform, one QApplication per test process.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/gui/browser_environment.h"
#include "platform/gui/window_look.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The embedded browser must not reach the network: its requests go to a closed loopback
    // port.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--proxy-server=http://127.0.0.1:9");
    kestrel::gui::prepareBrowserEnvironment();
    QApplication app(argc, argv);
    kestrel::gui::installWindowLook();
    return RUN_ALL_TESTS();
}
