#include "ui/qt/start_up_overlap.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFontMetrics>

#include <fontconfig/fontconfig.h>

namespace kestrel::gui {

StartUpOverlap::StartUpOverlap() {
    // fontconfig is thread-safe, and Qt's own FcInit later finds the configuration loaded.
    fonts_ = std::jthread([] { FcInit(); });
}

StartUpOverlap::~StartUpOverlap() = default;

void StartUpOverlap::beforeFirstWindow() {
    // Qt's connection manager makes the connection on its own thread; this one only waits for
    // it, so that the GUI thread does not.
    sessionBus_ = std::jthread([] { (void)QDBusConnection::sessionBus(); });
    fonts_.join();
    // Builds Qt's font database and loads the face every window's text is drawn in.
    (void)QFontMetrics(QApplication::font()).height();
}

}  // namespace kestrel::gui
