#include "ui/qt/frm_splash_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "ui_frm_splash.h"

namespace kestrel {

FrmSplash::FrmSplash(gui::WindowRuntime& windowRuntime, Scan scan,
                     std::function<void()> showMainWindow)
    : KestrelWindow(windowRuntime, Qt::SplashScreen),
      ui_(std::make_unique<Ui::frmSplash>()),
      scan_(std::move(scan)),
      showMainWindow_(std::move(showMainWindow)),
      timer_(new QTimer(this)) {
    ui_->setupUi(this);
    setFixedSize(size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    QGuiApplication::primaryScreen()->geometry()));
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kTickInterval);
    connect(timer_, &QTimer::timeout, this, [this] { runtime().handle([this] { tick(); }); });
    connect(this, &KestrelWindow::unloaded, timer_, &QTimer::stop);
}

FrmSplash::~FrmSplash() = default;

void FrmSplash::paintEvent(QPaintEvent* event) {
    KestrelWindow::paintEvent(event);
    // The scan blocks the GUI thread, so the screen has to be on the display before the first
    // tick: the timer starts once the screen has been drawn.
    if (!timer_->isActive() && isLoaded()) timer_->start();
}

void FrmSplash::keyPressEvent(QKeyEvent* event) {
    // Keys that type nothing (Shift, Ctrl, arrows, function keys) leave the screen alone.
    if (event->text().isEmpty()) {
        KestrelWindow::keyPressEvent(event);
        return;
    }
    runtime().handle([this] { unload(); });
}

void FrmSplash::tick() {
    // Ticks that fall due while a scan runs (for example inside a message box's event loop)
    // must not start a second scan. An error leaves the flag set: nothing may scan after it.
    if (scanning_) return;
    scanning_ = true;
    const InventoryValue result = scan_();
    scanning_ = false;
    if (result == InventoryValue("Success")) {
        unload();
        showMainWindow_();
    }
}

}  // namespace kestrel
