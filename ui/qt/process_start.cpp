#include "ui/qt/process_start.h"

#include <QProcess>

#include "inventory/error.h"

namespace kestrel::gui {

void ProcessStart::start(const std::string& commandLine, int) {
    // Qt starts every program in a normal window: the show code has nothing to choose.
    QStringList arguments = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (arguments.isEmpty()) throw Error("no program to start");
    const QString program = arguments.takeFirst();
    startProcess(program, arguments);
}

void startProcess(const QString& program, const QStringList& arguments) {
    if (!QProcess::startDetached(program, arguments)) {
        throw Error("cannot start " + program.toStdString());
    }
}

}  // namespace kestrel::gui
