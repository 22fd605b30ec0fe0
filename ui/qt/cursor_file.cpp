#include "ui/qt/cursor_file.h"

#include <QFile>
#include <QImage>
#include <QPixmap>

#include "inventory/error.h"

namespace kestrel::gui {
namespace {

int word(const QByteArray& bytes, int offset) {
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1])
                                                           << 8;
}

}  // namespace

QCursor loadCursorFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw Error("cannot open " + path.toStdString());
    const QByteArray bytes = file.readAll();
    // A 6-byte header (reserved, type 2 = cursor, image count), then 16-byte entries whose
    // bytes 4..7 hold the hot spot's column and row.
    constexpr int kHeader = 6;
    constexpr int kEntry = 16;
    const QImage image = QImage::fromData(bytes, "CUR");
    if (bytes.size() < kHeader + kEntry || word(bytes, 2) != 2 || image.isNull()) {
        throw Error(path.toStdString() + " is not a cursor file");
    }
    return QCursor(QPixmap::fromImage(image), word(bytes, kHeader + 4), word(bytes, kHeader + 6));
}

}  // namespace kestrel::gui
