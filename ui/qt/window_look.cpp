#include "ui/qt/window_look.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace kestrel::gui {

void installWindowLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    // Where the Windows fonts are missing, each face is mapped onto the installed font that keeps
    // every fixed caption inside its control, measured at the sizes the windows use (the caption
    // fit test checks it). Liberation Sans is a few per cent wider than the Windows bitmap font
    // and fits; Liberation Sans Narrow is far narrower than it. For the scan screen's 15.75 pt
    // "Times New Roman", Liberation Serif (Times's widths) overruns the label by two pixels, while
    // FreeSerif fits with two to spare.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("FreeSerif"), QStringLiteral("Liberation Serif"),
                                QStringLiteral("DejaVu Serif")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

}  // namespace kestrel::gui
