#include "ui/qt/list_keys.h"

#include <QKeyEvent>
#include <QListWidget>

namespace kestrel {

bool FirstDownSelectsFirstRow::eventFilter(QObject* watched, QEvent* event) {
    auto* list = qobject_cast<QListWidget*>(watched);
    if (list && event->type() == QEvent::KeyPress && list->count() > 0 &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier &&
        list->selectedItems().isEmpty()) {
        // Selecting raises the list's selection handlers, as the keyboard would.
        list->setCurrentRow(0);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrel
