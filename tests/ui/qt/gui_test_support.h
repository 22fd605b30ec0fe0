#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <ostream>
#include <string_view>

#include "fixture_service.h"
#include "recording_window.h"
#include "ui/forms/desktop.h"
#include "ui/qt/clipboard.h"
#include "ui/qt/process_start.h"

class QWidget;

namespace kestrel::test {

// The Qt runtime's desktop services; the probe's page reader reaches no network.
struct QtDesktop {
    explicit QtDesktop(forms::MessageBox& messages)
        : desktop{messages, clipboard, processes, pages} {}
    gui::Clipboard clipboard;
    gui::ProcessStart processes;
    CannedPageReader pages;
    forms::Desktop desktop;
};

// Lets deleteLater() and posted events take effect, for ms milliseconds of event processing.
void processEvents(int ms = 0);

// A layout name as Qt's object name.
inline QString qtName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}
inline QStringList qtNames(std::initializer_list<std::string_view> names) {
    QStringList list;
    for (const std::string_view name : names) list.append(qtName(name));
    return list;
}

// The visible top-level window with this object name, or nullptr.
QWidget* visibleWindow(std::string_view objectName);

// The object names of the window's focus widget and of the next count - 1 widgets that Tab
// moves the focus to, from the window's first focus on.
QStringList tabOrder(QWidget& window, int count);

}  // namespace kestrel::test

// Readable QString values in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
