#include "ui/qt/window_look.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace kestrel::gui {

void installWindowLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    // Where the Windows fonts are missing, Liberation's have the same widths (Arial's for the
    // sans serif), so captions fit the labels the layout gives them.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

}  // namespace kestrel::gui
