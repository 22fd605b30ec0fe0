#include "ui/qt/frm_splash_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "ui_frm_splash.h"

namespace kestrel::gui {

FrmSplashWindow::FrmSplashWindow(forms::WindowRuntime& windowRuntime, forms::FrmSplash::Scan scan,
                                 forms::Handler showMainWindow)
    : KestrelWindow(windowRuntime, Qt::SplashScreen), ui_(std::make_unique<Ui::frmSplash>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    QGuiApplication::primaryScreen()->geometry()));
    form_.emplace(*this, std::move(scan), std::move(showMainWindow));
}

FrmSplashWindow::~FrmSplashWindow() = default;

}  // namespace kestrel::gui
