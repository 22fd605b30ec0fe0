#include "mainwindow/list_sync.h"

#include <QListWidget>

namespace kestrel {

int selectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

void selectRow(QListWidget& list, int row) {
    if (selectedRow(list) == row) return;
    if (row < 0) {
        list.clearSelection();
    } else {
        list.setCurrentRow(row);
    }
}

void followSelection(const QListWidget& source, QListWidget& first, QListWidget& second) {
    selectRow(first, selectedRow(source));
    selectRow(second, selectedRow(source));
}

}  // namespace kestrel
