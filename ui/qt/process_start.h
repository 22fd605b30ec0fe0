#pragma once

#include <QString>
#include <QStringList>

#include "ui/forms/desktop.h"

namespace kestrel::gui {

// Starts programs through Qt, in a normal, activated window.
class ProcessStart final : public forms::ProcessStart {
  public:
    void start(const std::string& commandLine, int showCode) override;
};

// Starts a program in a normal, activated window and returns without waiting for it. Throws
// kestrel::Error when the program cannot be started.
void startProcess(const QString& program, const QStringList& arguments);

}  // namespace kestrel::gui
