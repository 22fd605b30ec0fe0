#include "ui/forms/chat_launch.h"

#include <exception>

#include "wiring/build_config.h"

namespace kestrel::forms {

std::string chatAddress() {
    return std::string("http://") + build::kChatHost +
           "/support/UserPreChat.aspx?ref=CustomerScanWindow";
}

std::string chatCommandLine() {
#ifdef _WIN32
    return R"(C:\Program Files\Internet Explorer\iexplore.exe )" + chatAddress();
#else
    return "xdg-open " + chatAddress();
#endif
}

void launchChat(ProcessStart& processes, MessageBox& messages) {
    try {
        processes.start(chatCommandLine(), ProcessStart::kShowNormal);
    } catch (const std::exception&) {
        messages.show("Browser Not found!!!");
    }
}

}  // namespace kestrel::forms
