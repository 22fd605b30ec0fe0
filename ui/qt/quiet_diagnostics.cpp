#include "ui/qt/quiet_diagnostics.h"

#include <QLoggingCategory>

namespace kestrel::gui {

void keepDiagnosticsQuiet() {
    QLoggingCategory::setFilterRules(
        QStringLiteral("*.debug=false\n"
                       "*.info=false\n"
                       "*.warning=false"));
}

}  // namespace kestrel::gui
