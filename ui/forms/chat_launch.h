#pragma once

#include <string>

#include "ui/forms/desktop.h"

namespace kestrel::forms {

// The retailer's live-chat page.
std::string chatAddress();

// The command line that opens the chat page in the system's web browser.
std::string chatCommandLine();

// Opens the chat page and returns without waiting for the browser. When no browser can be
// started, whatever the reason, says "Browser Not found!!!" and carries on.
void launchChat(ProcessStart& processes, MessageBox& messages);

}  // namespace kestrel::forms
