#include "ui/qt/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kestrel::gui {

void copyToClipboard(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(text));
}

}  // namespace kestrel::gui
