#include "mainwindow/chat_launch.h"

#include <exception>

#include "inventory/build_config.h"
#include "platform/gui/message_box.h"
#include "platform/gui/process_start.h"

namespace kestrel {

std::string chatAddress() {
    return std::string("http://") + build::kChatHost +
           "/support/UserPreChat.aspx?ref=CustomerScanWindow";
}

void launchChat(gui::MessageBox& messages) {
    try {
#ifdef _WIN32
        gui::startCommandLine(QString::fromStdString(
            R"(C:\Program Files\Internet Explorer\iexplore.exe )" + chatAddress()));
#else
        gui::startProcess(QStringLiteral("xdg-open"), {QString::fromStdString(chatAddress())});
#endif
    } catch (const std::exception&) {
        messages.show(QStringLiteral("Browser Not found!!!"));
    }
}

}  // namespace kestrel
