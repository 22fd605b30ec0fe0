// kestrel: the disclaimer, the scan screen and the main window with the selector page.
#include <QApplication>

#include "ui/forms/window_runtime.h"
#include "ui/qt/browser_environment.h"
#include "ui/qt/clipboard.h"
#include "ui/qt/message_box.h"
#include "ui/qt/no_display_guard.h"
#include "ui/qt/process_start.h"
#include "ui/qt/quiet_diagnostics.h"
#include "ui/qt/screens.h"
#include "ui/qt/start_up_overlap.h"
#include "ui/qt/window_look.h"
#include "web/web_plugin.h"
#include "wiring/data_source.h"

int main(int, char** argv) {
    kestrel::gui::keepDiagnosticsQuiet();
    kestrel::gui::prepareBrowserEnvironment();
    kestrel::gui::StartUpOverlap overlap;
    // Kestrel takes no command line: Qt sees the program name only.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    kestrel::gui::NoDisplayGuard noDisplay;
    QApplication app(qtArgc, qtArgv);
    noDisplay.started();
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTREL_APP_ID));
    kestrel::gui::installWindowLook();
    overlap.beforeFirstWindow();

    kestrel::gui::MessageBox messages;
    kestrel::gui::Clipboard clipboard;
    kestrel::gui::ProcessStart processes;
    kestrel::web::PluginPageReader pages;
    kestrel::forms::Desktop desktop{messages, clipboard, processes, pages};
    kestrel::forms::WindowRuntime runtime(messages,
                                          [](int status) { QCoreApplication::exit(status); });
    kestrel::gui::Screens screens(
        runtime, desktop, [] { return kestrel::openDataSource(kestrel::ThisMachine{}).service; });
    screens.start();
    kestrel::web::preloadOnceShown();
    const int status = QApplication::exec();
    // Unloaded windows are waiting for deletion; the browser must go before the application.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
