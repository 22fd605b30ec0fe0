#include "gui_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

namespace kestrel::test {

void processEvents(int ms) {
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (clock.elapsed() < ms);
}

QWidget* visibleWindow(std::string_view objectName) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == qtName(objectName) && window->isVisible()) return window;
    }
    return nullptr;
}

QStringList tabOrder(QWidget& window, int count) {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return {"window not active"};
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QWidget* focus = QApplication::focusWidget();
        // A compound control (the browser) focuses an unnamed inner widget: name the control.
        QWidget* named = focus;
        while (named && named->objectName().isEmpty()) named = named->parentWidget();
        if (!named) return names << "no focus";
        names << named->objectName();
        // Sent to the window, so that a control that keeps Tab to itself (the web page) cannot
        // hold the focus.
        QTest::keyClick(&window, Qt::Key_Tab);
    }
    return names;
}

}  // namespace kestrel::test
