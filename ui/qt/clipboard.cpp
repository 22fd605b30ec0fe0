#include "ui/qt/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kestrel::gui {

void Clipboard::clear() { QGuiApplication::clipboard()->clear(); }

void Clipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace kestrel::gui
