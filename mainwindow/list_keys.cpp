#include "mainwindow/list_keys.h"

#include <QKeyEvent>
#include <QListWidget>

#include "mainwindow/list_sync.h"

namespace kestrel {

bool FirstDownSelectsFirstRow::eventFilter(QObject* watched, QEvent* event) {
    auto* list = qobject_cast<QListWidget*>(watched);
    if (list && event->type() == QEvent::KeyPress && list->count() > 0 &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && selectedRow(*list) < 0) {
        selectRow(*list, 0);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrel
