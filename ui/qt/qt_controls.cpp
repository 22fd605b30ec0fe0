#include "ui/qt/qt_controls.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace kestrel::gui {

void QtLabel::setCaption(const std::string& text) {
    // Firmware strings are shown as written: "<b>" in a maker's name must not turn into markup.
    label_.setTextFormat(Qt::PlainText);
    label_.setText(QString::fromStdString(text));
}

std::string QtLabel::caption() const { return label_.text().toStdString(); }

void QtTextBox::setText(const std::string& text) {
    box_.setPlainText(QString::fromStdString(text));
}

void QtListBox::clear() {
    // Emptying a list is no selection by the user: the other lists must not follow it.
    const QSignalBlocker quiet(list_);
    list_.clear();
}

void QtListBox::addRow(const std::string& text) { list_.addItem(QString::fromStdString(text)); }

int QtListBox::count() const { return list_.count(); }

int QtListBox::selectedIndex() const {
    const QList<QListWidgetItem*> selected = list_.selectedItems();
    return selected.isEmpty() ? -1 : list_.row(selected.first());
}

void QtListBox::setSelectedIndex(int index) {
    if (selectedIndex() == index) return;
    if (index < 0) {
        list_.clearSelection();
    } else {
        list_.setCurrentRow(index);
    }
}

void QtListBox::onSelectionChanged(forms::Handler handler) {
    connectHandler(runtime_, &list_, &QListWidget::itemSelectionChanged, &list_,
                   std::move(handler));
}

void QtClock::start(int milliseconds) { timer_.start(milliseconds); }

void QtClock::stop() { timer_.stop(); }

}  // namespace kestrel::gui
