#pragma once

#include <QCursor>
#include <QString>

namespace kestrel::gui {

// A mouse pointer read from a cursor (.cur) file: its first image, with the hot spot that the
// file records. Throws kestrel::Error when the file cannot be read as a cursor.
QCursor loadCursorFile(const QString& path);

}  // namespace kestrel::gui
