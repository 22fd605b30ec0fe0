#pragma once

class QListWidget;

namespace kestrel {

// The selected row of a single-selection list: 0 for the first row, -1 for none.
int selectedRow(const QListWidget& list);

// Selects row (-1: none). A change raises the list's selection handlers before this returns,
// as a click would; selecting the row that is already selected raises nothing.
void selectRow(QListWidget& list, int row);

// Puts first, then second, on the row selected in source, reading source afresh each time:
// first's own handler may have run in between.
void followSelection(const QListWidget& source, QListWidget& first, QListWidget& second);

}  // namespace kestrel
