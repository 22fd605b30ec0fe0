#include "ui/qt/kestrel_window.h"

#include <QCloseEvent>

namespace kestrel::gui {

KestrelWindow::KestrelWindow(WindowRuntime& runtime, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), runtime_(runtime) {}

void KestrelWindow::ensureLoaded() {
    if (loaded_) return;
    // Marked first, so that the load handler can touch the window's controls.
    loaded_ = true;
    runtime_.windowLoaded(this);
    load();
}

void KestrelWindow::showWindow() {
    ensureLoaded();
    show();
    // A shown window takes the keyboard: the scan screen has to see the user's keys, and
    // without a window manager nothing else would give it the focus.
    activateWindow();
}

void KestrelWindow::unload() {
    if (!loaded_) return;
    loaded_ = false;
    hide();
    emit unloaded();
    // Unload usually runs inside one of this window's own handlers, so it cannot be deleted
    // here and now.
    deleteLater();
    runtime_.windowUnloaded(this);
}

void KestrelWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    runtime_.handle([this] { unload(); });
}

}  // namespace kestrel::gui
