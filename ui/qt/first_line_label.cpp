#include "ui/qt/first_line_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

namespace kestrel {

QString firstLine(const QString& text, const QFontMetrics& metrics, int width) {
    const qsizetype lineBreak = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    QString line = lineBreak < 0 ? text : text.left(lineBreak);
    if (metrics.horizontalAdvance(line) <= width) return line;
    qsizetype end = line.indexOf(QLatin1Char(' '));
    if (end < 0) return line;
    for (qsizetype next = line.indexOf(QLatin1Char(' '), end + 1);;
         next = line.indexOf(QLatin1Char(' '), end + 1)) {
        const qsizetype candidate = next < 0 ? line.size() : next;
        if (metrics.horizontalAdvance(line.left(candidate)) > width) break;
        end = candidate;
        if (next < 0) break;
    }
    return line.left(end);
}

bool FirstLinePainter::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label || event->type() != QEvent::Paint) return QObject::eventFilter(watched, event);
    QPainter painter(label);
    const QRect room = label->contentsRect();
    label->style()->drawItemText(&painter, room, int(label->alignment()) & ~Qt::TextWordWrap,
                                 label->palette(), label->isEnabled(),
                                 firstLine(label->text(), label->fontMetrics(), room.width()),
                                 label->foregroundRole());
    return true;
}

}  // namespace kestrel
