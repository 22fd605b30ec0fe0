#include "ui/qt/window_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include "ui/forms/screen_fit.h"

namespace kestrel::gui {

WindowFit::WindowFit(QWidget& window, QPoint place, const std::vector<QWidget*>& pageArea,
                     int minimumPage)
    : QObject(&window), window_(window), place_(place), layoutSize_(window.size()) {
    for (QWidget* control : pageArea) pageArea_.emplace_back(control, control->height());
    if (!pageArea_.empty()) pageSlack_ = std::max(0, pageArea_.back().second - minimumPage);
    window.setFixedSize(layoutSize_);
    window.setGeometry(QRect(place_, layoutSize_));
    window.installEventFilter(this);
}

bool WindowFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_) return false;
    if (event->type() != QEvent::Show && event->type() != QEvent::Move) return false;
    const QWindow* handle = window_.windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    QScreen* screen = window_.screen();
    if (fitted_ && frame == frame_ && screen == screen_) return false;
    // On the screen of the layout's place the window keeps that place; on another screen
    // (moved there by the user) it keeps where it is.
    const bool home = !fitted_ || screen == QGuiApplication::screenAt(place_);
    apply(home ? place_ : window_.geometry().topLeft());
    return false;
}

void WindowFit::apply(QPoint place) {
    QScreen* screen = QGuiApplication::screenAt(place);
    if (!screen) screen = window_.screen();
    const QMargins frame =
        window_.windowHandle() ? window_.windowHandle()->frameMargins() : QMargins();
    fitted_ = true;
    frame_ = frame;
    screen_ = screen;
    if (!screen) return;
    QRect work = screen->availableGeometry();
    if (work.isEmpty()) work = screen->geometry();

    const forms::WindowFit fit = forms::fitToWorkArea(
        {layoutSize_.width(), layoutSize_.height(), {place.x(), place.y()}, pageSlack_},
        {frame.left(), frame.top(), frame.right(), frame.bottom()},
        {work.x(), work.y(), work.width(), work.height()},
        window_.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    for (const auto& [control, height] : pageArea_) {
        control->resize(control->width(), height - fit.pageShrink);
    }
    if (fit.scrolls) makeScrollable();
    if (scrollArea_) {
        scrollArea_->widget()->resize(fit.contentWidth, fit.contentHeight);
        scrollArea_->setGeometry(0, 0, fit.client.width, fit.client.height);
    }
    window_.setFixedSize(fit.client.width, fit.client.height);
    window_.setGeometry(fit.client.left, fit.client.top, fit.client.width, fit.client.height);
}

void WindowFit::makeScrollable() {
    if (scrollArea_) return;
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("scrolledContent"));
    content->resize(layoutSize_);
    for (QWidget* control : window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow()) continue;
        const bool hidden = control->isHidden();
        const QRect place = control->geometry();
        control->setParent(content);
        control->setGeometry(place);
        control->setHidden(hidden);
    }
    scrollArea_ = new QScrollArea(&window_);
    scrollArea_->setObjectName(QStringLiteral("scrollArea"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidget(content);
    scrollArea_->show();
}

}  // namespace kestrel::gui
