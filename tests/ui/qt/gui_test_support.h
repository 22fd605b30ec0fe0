#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>
#include <vector>

#include "ui/qt/message_box.h"
#include "ui/forms/window_runtime.h"
#include "platform/management/management_service.h"

class QWidget;

namespace kestrel::test {

// Answers every message box at once and keeps its text.
class RecordingMessageBox : public gui::MessageBox {
  public:
    void show(const QString& text) override { texts.push_back(text); }
    QStringList texts;
};

// A window runtime whose process end is recorded instead of leaving an event loop.
struct RecordingRuntime {
    RecordingMessageBox messages;
    std::vector<int> endStatuses;
    gui::WindowRuntime runtime{messages, [this](int status) { endStatuses.push_back(status); }};
};

// Lets deleteLater() and posted events take effect, for ms milliseconds of event processing.
void processEvents(int ms = 0);

// The visible top-level window with this object name, or nullptr.
QWidget* visibleWindow(const QString& objectName);

// The object names of the window's focus widget and of the next count - 1 widgets that Tab
// moves the focus to, from the window's first focus on.
QStringList tabOrder(QWidget& window, int count);

// A management service over tests/data/fixtures/<name>.
std::unique_ptr<ManagementService> fixtureService(const char* name = "acme.json");

}  // namespace kestrel::test

// Readable QString values in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
