// kestrel: the disclaimer, the scan screen and the main window with the selector page.
#include <QApplication>

#include "ui/forms/screen_sequence.h"
#include "ui/qt/browser_environment.h"
#include "ui/qt/message_box.h"
#include "ui/qt/window_look.h"
#include "ui/forms/window_runtime.h"
#include "platform/machine_service.h"

int main(int, char** argv) {
    kestrel::gui::prepareBrowserEnvironment();
    // Kestrel takes no command line: Qt sees the program name only.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTREL_APP_ID));
    kestrel::gui::installWindowLook();

    kestrel::gui::MessageBox messages;
    kestrel::gui::WindowRuntime runtime(messages,
                                        [](int status) { QCoreApplication::exit(status); });
    kestrel::ScreenSequence sequence(runtime, [] { return kestrel::openMachineService(); });
    sequence.start();
    const int status = QApplication::exec();
    // Unloaded windows are waiting for deletion; the browser must go before the application.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
