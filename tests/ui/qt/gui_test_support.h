#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

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

// The visible top-level window with this object name, or nullptr.
QWidget* visibleWindow(const QString& objectName);

// The object names of the window's focus widget and of the next count - 1 widgets that Tab
// moves the focus to, from the window's first focus on.
QStringList tabOrder(QWidget& window, int count);

}  // namespace kestrel::test

// Readable QString values in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
