#include "ui/qt/message_box.h"

#include <QMessageBox>

namespace kestrel::gui {

std::unique_ptr<QMessageBox> createMessageBox(const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString(forms::kApplicationTitle),
                                             text, QMessageBox::Ok);
    box->setWindowModality(Qt::ApplicationModal);
    // The text comes from outside (a web page, an error naming firmware values): markup in it
    // must show as written, never render or load anything.
    box->setTextFormat(Qt::PlainText);
    return box;
}

void MessageBox::show(const std::string& text) {
    createMessageBox(QString::fromStdString(text))->exec();
}

}  // namespace kestrel::gui
