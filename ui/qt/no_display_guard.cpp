#include "ui/qt/no_display_guard.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kestrel::gui {
namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category, file, function;
    int line;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> held;

std::string noDisplayReason() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) {
        return "the platform \"" + platform.toStdString() +
               "\" named by QT_QPA_PLATFORM cannot start";
    }
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const QByteArray display = qgetenv(variable);
        if (!display.isEmpty()) {
            return "no display can be opened at " + std::string(variable) + "=" +
                   display.toStdString();
        }
    }
    return "there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Qt gives up on the platform: its messages would only talk about plug-ins.
        std::fprintf(stderr, "kestrel: %s; kestrel-scan prints the same report without one\n",
                     noDisplayReason().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    held.push_back({type, context.category ? context.category : "",
                    context.file ? context.file : "", context.function ? context.function : "",
                    context.line, text});
}

}  // namespace

NoDisplayGuard::NoDisplayGuard() { previousHandler = qInstallMessageHandler(holdOrEnd); }

NoDisplayGuard::~NoDisplayGuard() { started(); }

void NoDisplayGuard::started() {
    if (!watching_) return;
    watching_ = false;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(message.file.c_str(), message.line,
                                         message.function.c_str(), message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
}

}  // namespace kestrel::gui
