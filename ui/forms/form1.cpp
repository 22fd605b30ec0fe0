#include "ui/forms/form1.h"

#include "net/probe.h"
#include "ui/forms/chat_launch.h"
#include "ui/forms/list_sync.h"
#include "ui/layout/layout_names.h"
#include "wiring/build_config.h"
#include "wiring/run_scan.h"

namespace kestrel::forms {
namespace {

std::string helpText() {
    return "Need Help?" + std::string(43, ' ') + "Email : " + build::kSupportEmail;
}

}  // namespace

Form1::Form1(Window& window, Desktop& desktop, ServiceFactory openService)
    : window_(window), desktop_(desktop), openService_(std::move(openService)) {
    window_.label(layout::form1::Label42).setCaption(helpText());
    window_.setFirstFocus(layout::form1::slotsLst);
    window_.onLoad([this] { Form_Load(); });
    window_.clickable(layout::form1::clipboardCmd).onClick([this] { clipboardCmd_Click(); });
    window_.clickable(layout::form1::Image1).onClick([this] { chat_Click(); });
    window_.clickable(layout::form1::Label39).onClick([this] { chat_Click(); });
    window_.clickable(layout::form1::Command1).onClick([this] { Command1_Click(); });
    window_.listBox(layout::form1::memoryLst).onSelectionChanged([this] { memoryLst_Click(); });
    window_.listBox(layout::form1::slotsLst).onSelectionChanged([this] { slotsLst_Click(); });
    window_.listBox(layout::form1::speedLst).onSelectionChanged([this] { speedLst_Click(); });
}

InventoryValue Form1::getKestrel() {
    const std::unique_ptr<ManagementService> service = openService_();
    return runScan(*service, *this, inventory_);
}

void Form1::Form_Load() { resetOnLoad(*this, inventory_); }

void Form1::clipboardCmd_Click() {
    desktop_.clipboard.clear();
    desktop_.clipboard.setText(inventory_.reportText);
}

// Image1 and Label39 both open the chat page.
void Form1::chat_Click() { launchChat(desktop_.processes, desktop_.messages); }

void Form1::Command1_Click() { runProbe(desktop_.pages, desktop_.messages, build::kProbeUrl); }

// Row i of the three lists describes the same module: a selection in one is followed by the
// other two.
void Form1::memoryLst_Click() {
    followSelection(window_.listBox(layout::form1::memoryLst),
                    window_.listBox(layout::form1::slotsLst),
                    window_.listBox(layout::form1::speedLst));
}

void Form1::slotsLst_Click() {
    followSelection(window_.listBox(layout::form1::slotsLst),
                    window_.listBox(layout::form1::memoryLst),
                    window_.listBox(layout::form1::speedLst));
}

void Form1::speedLst_Click() {
    followSelection(window_.listBox(layout::form1::speedLst),
                    window_.listBox(layout::form1::memoryLst),
                    window_.listBox(layout::form1::slotsLst));
}

void Form1::setCaption(std::string_view label, const std::string& text) {
    window_.load();
    window_.label(label).setCaption(text);
}

void Form1::clearList(std::string_view list) {
    window_.load();
    window_.listBox(list).clear();
}

void Form1::addRow(std::string_view list, const std::string& text) {
    window_.load();
    window_.listBox(list).addRow(text);
}

void Form1::navigate(const std::string& url) {
    window_.load();
    window_.browser(layout::form1::WB).navigate(url);
}

}  // namespace kestrel::forms
