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
    : QWidget(nullptr, flags), runtime_(runtime) {
    installAccessibility();
}

KestrelWindow::~KestrelWindow() {
    // The form and its handlers are gone already: nothing a dying control emits may reach them.
    for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

forms::Label& KestrelWindow::label(std::string_view name) {
    return forms::controlAdapter<forms::Label>(
        labels_, name, [&] { return std::make_unique<QtLabel>(child<QLabel>(name)); });
}

forms::TextBox& KestrelWindow::textBox(std::string_view name) {
    return forms::controlAdapter<forms::TextBox>(
        textBoxes_, name, [&] { return std::make_unique<QtTextBox>(child<QPlainTextEdit>(name)); });
}

forms::ListBox& KestrelWindow::listBox(std::string_view name) {
    return forms::controlAdapter<forms::ListBox>(listBoxes_, name, [&] {
        return std::make_unique<QtListBox>(child<QListWidget>(name), runtime_);
    });
}

forms::Clickable& KestrelWindow::clickable(std::string_view name) {
    return forms::controlAdapter<forms::Clickable>(
        clickables_, name, [&]() -> std::unique_ptr<forms::Clickable> {
            const QString objectName = QString::fromUtf8(name.data(), std::ssize(name));
            if (auto* button = findChild<QAbstractButton*>(objectName)) {
                return std::make_unique<QtClickable>([this, button](forms::Handler handler) {
                    connectHandler(runtime_, button, &QAbstractButton::clicked, this,
                                   std::move(handler));
                });
            }
            auto* picture = &child<ClickableLabel>(name);
            return std::make_unique<QtClickable>([this, picture](forms::Handler handler) {
                connectHandler(runtime_, picture, &ClickableLabel::clicked, this,
                               std::move(handler));
            });
        });
}

forms::Timer& KestrelWindow::timer(std::string_view name) {
    // Timers are no widgets of the layout: each is made when the form first asks for it.
    return forms::controlAdapter<QtTimer>(timers_, name, [&] {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromUtf8(name.data(), std::ssize(name)));
        return std::make_unique<QtTimer>(*timer, runtime_);
    });
}

forms::Browser& KestrelWindow::browser(std::string_view name) {
    throw Error("the window " + objectName().toStdString() + " has no browser " +
                std::string(name));
}

void KestrelWindow::load() {
    if (loaded_) return;
    // Marked first, so that the load handler can touch the window's controls.
    loaded_ = true;
    runtime_.windowLoaded(this);
    raiseLoad();
    followTimers();
}

void KestrelWindow::show() {
    load();
    QWidget::show();
    // A shown window takes the keyboard: the scan screen has to see the user's keys, and
    // without a window manager nothing else would give it the focus.
    activateWindow();
}

void KestrelWindow::unload() {
    if (!loaded_) return;
    loaded_ = false;
    followTimers();
    hide();
    emit unloaded();
    // Unload usually runs inside one of this window's own handlers, so it cannot be deleted
    // here and now.
    deleteLater();
    runtime_.windowUnloaded(this);
}

void KestrelWindow::setFirstFocus(std::string_view control) { child<QWidget>(control).setFocus(); }

void KestrelWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    runtime_.handle([this] { unload(); });
}

void KestrelWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that type nothing (Shift, Ctrl, arrows, function keys) raise no key event.
    if (characterKeyHandlers().empty() || event->text().isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const forms::Handler& handler : characterKeyHandlers()) runtime_.handle(handler);
}

void KestrelWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // A long handler blocks the GUI thread, so the window has to be on the display before the
    // first tick: timers start once the window has been drawn.
    if (drawn_) return;
    drawn_ = true;
    followTimers();
}

void KestrelWindow::followTimers() {
    for (auto& [name, timer] : timers_) timer->follow(loaded_ && drawn_);
}

}  // namespace kestrel::gui
