#include "ui/qt/clickable_label.h"

#include <QMouseEvent>

namespace kestrel::gui {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A release outside the label is a press that the user dragged away: no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace kestrel::gui
