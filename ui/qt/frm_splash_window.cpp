#include "ui/qt/frm_splash_window.h"

#include <qdrawutil.h>

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include "ui/qt/window_fit.h"
#include "ui_frm_splash.h"

namespace kestrel::gui {

FrmSplashWindow::FrmSplashWindow(forms::WindowRuntime& windowRuntime, forms::FrmSplash::Scan scan,
                                 forms::Handler showMainWindow)
    : KestrelWindow(windowRuntime, Qt::SplashScreen), ui_(std::make_unique<Ui::frmSplash>()) {
    ui_->setupUi(this);
    // The layout places the controls in the client area; the fixed dialog frame lies around it.
    auto* clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setGeometry(QRect(QPoint(kDialogFrame, kDialogFrame), size()));
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == clientArea) continue;
        const bool hidden = control->isHidden();
        control->setParent(clientArea);
        control->setHidden(hidden);
    }
    resize(size() + QSize(2 * kDialogFrame, 2 * kDialogFrame));
    new WindowFit(*this, QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                             QGuiApplication::primaryScreen()->geometry())
                             .topLeft());
    form_.emplace(*this, std::move(scan), std::move(showMainWindow));
}

FrmSplashWindow::~FrmSplashWindow() = default;

void FrmSplashWindow::paintEvent(QPaintEvent* event) {
    KestrelWindow::paintEvent(event);
    // A raised two-pixel edge and a pixel of the window's face, as the window manager would draw
    // a fixed dialog frame; the screen has no title bar, so Qt draws none.
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

}  // namespace kestrel::gui
