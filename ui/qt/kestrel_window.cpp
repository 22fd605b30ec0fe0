#include "ui/qt/kestrel_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

#include "ui/forms/control_adapter.h"
#include "ui/qt/accessibility.h"
#include "ui/qt/clickable_label.h"
#include "ui/qt/qt_controls.h"

namespace kestrel::gui {

KestrelWindow::KestrelWindow(forms::WindowRuntime& runtime, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), LifecycleWindow(runtime) {
    installAccessibility();
}

KestrelWindow::~KestrelWindow() {
    // The form and its handlers are gone already: nothing a dying control emits may reach them.
    for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

forms::Label& KestrelWindow::label(layout::LabelName name) {
    return forms::controlAdapter<forms::Label>(
        labels_, name, [&] { return std::make_unique<QtLabel>(child<QLabel>(name)); });
}

forms::TextBox& KestrelWindow::textBox(layout::TextBoxName name) {
    return forms::controlAdapter<forms::TextBox>(
        textBoxes_, name, [&] { return std::make_unique<QtTextBox>(child<QPlainTextEdit>(name)); });
}

forms::ListBox& KestrelWindow::listBox(layout::ListBoxName name) {
    return forms::controlAdapter<forms::ListBox>(listBoxes_, name, [&] {
        return std::make_unique<QtListBox>(child<QListWidget>(name), runtime());
    });
}

forms::Clickable& KestrelWindow::clickable(layout::ClickableName name) {
    return forms::controlAdapter<forms::Clickable>(
        clickables_, name, [&]() -> std::unique_ptr<forms::Clickable> {
            const QString objectName = QString::fromUtf8(name.name.data(), std::ssize(name.name));
            if (auto* button = findChild<QAbstractButton*>(objectName)) {
                return std::make_unique<QtClickable>([this, button](forms::Handler handler) {
                    connectHandler(runtime(), button, &QAbstractButton::clicked, this,
                                   std::move(handler));
                });
            }
            auto* picture = &child<ClickableLabel>(name);
            return std::make_unique<QtClickable>([this, picture](forms::Handler handler) {
                connectHandler(runtime(), picture, &ClickableLabel::clicked, this,
                               std::move(handler));
            });
        });
}

forms::Browser& KestrelWindow::browser(layout::BrowserName name) {
    throw Error("the window " + objectName().toStdString() + " has no browser " +
                std::string(name));
}

void KestrelWindow::show() {
    load();
    QWidget::show();
    // A shown window takes the keyboard: the scan screen has to see the user's keys, and
    // without a window manager nothing else would give it the focus.
    activateWindow();
}

void KestrelWindow::setFirstFocus(std::string_view control) { child<QWidget>(control).setFocus(); }

void KestrelWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    closeRequested();
}

void KestrelWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that type nothing (Shift, Ctrl, arrows, function keys) raise no key event.
    if (event->text().isEmpty() || !characterTyped()) QWidget::keyPressEvent(event);
}

void KestrelWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    drawn();
}

std::unique_ptr<forms::TimerClock> KestrelWindow::makeClock(std::string_view name,
                                                            forms::Handler tick) {
    // Timers are no widgets of the layout: each is made when the form first asks for it.
    auto* timer = new QTimer(this);
    timer->setObjectName(QString::fromUtf8(name.data(), std::ssize(name)));
    QObject::connect(timer, &QTimer::timeout, timer, std::move(tick));
    return std::make_unique<QtClock>(*timer);
}

void KestrelWindow::dismiss() {
    hide();
    emit unloaded();
    // Unload usually runs inside one of this window's own handlers, so it cannot be deleted
    // here and now.
    deleteLater();
}

}  // namespace kestrel::gui
