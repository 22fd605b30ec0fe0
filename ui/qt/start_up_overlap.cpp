#include "ui/qt/start_up_overlap.h"

#include <QApplication>
#include <QFontMetrics>

#if KESTREL_HAVE_DBUS
#include <QDBusConnection>
#endif
#ifndef _WIN32
#include <fontconfig/fontconfig.h>
#endif

namespace kestrel::gui {

StartUpOverlap::StartUpOverlap() {
#ifndef _WIN32
    // fontconfig is thread-safe, and Qt's own FcInit later finds the configuration loaded.
    fonts_ = std::jthread([] { FcInit(); });
#endif
}

StartUpOverlap::~StartUpOverlap() = default;

void StartUpOverlap::beforeFirstWindow() {
#if KESTREL_HAVE_DBUS
    // Qt's connection manager makes the connection on its own thread; this one only waits for
    // it, so that the GUI thread does not.
    sessionBus_ = std::jthread([] { (void)QDBusConnection::sessionBus(); });
#endif
    if (fonts_.joinable()) fonts_.join();
    // Builds Qt's font database and loads the face every window's text is drawn in.
    (void)QFontMetrics(QApplication::font()).height();
}

}  // namespace kestrel::gui
