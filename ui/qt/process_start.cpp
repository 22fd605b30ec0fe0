#include "ui/qt/process_start.h"

#include <QProcess>

#include "inventory/error.h"

namespace kestrel::gui {

void startProcess(const QString& program, const QStringList& arguments) {
    if (!QProcess::startDetached(program, arguments)) {
        throw Error("cannot start " + program.toStdString());
    }
}

}  // namespace kestrel::gui
