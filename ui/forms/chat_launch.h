#pragma once

#include <string>

namespace kestrel::gui {
class MessageBox;
}

namespace kestrel {

// The retailer's live-chat page.
std::string chatAddress();

// Opens the chat page in the system's web browser and returns without waiting for it. When no
// browser can be started, whatever the reason, says "Browser Not found!!!" and carries on.
void launchChat(gui::MessageBox& messages);

}  // namespace kestrel
