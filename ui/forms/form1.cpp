#include "ui/forms/form1.h"

#include "net/probe.h"
#include "ui/forms/chat_launch.h"
#include "ui/forms/form1_values.h"
#include "ui/forms/list_sync.h"
#include "ui/layout/layout_names.h"
#include "wiring/build_config.h"
#include "wiring/scan.h"

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
    inventory_ = scan(*service);
    window_.load();
    showInventory();
    window_.browser(layout::form1::WB).navigate(inventory_.selectorUrl);
    return InventoryValue("Success");
}

void Form1::showInventory() {
    for (const ValueLabel& value : kValueLabels)
        window_.label(value.name).setCaption(shownText(inventory_, value.field));
    ListBox& slots = window_.listBox(layout::form1::slotsLst);
    ListBox& sizes = window_.listBox(layout::form1::memoryLst);
    ListBox& speeds = window_.listBox(layout::form1::speedLst);
    for (ListBox* list : {&slots, &sizes, &speeds}) list->clear();
    for (const SystemInventory::ModuleRow& row : inventory_.moduleRows) {
        slots.addRow(row.locator);
        sizes.addRow(row.size);
        speeds.addRow(row.speed);
    }
}

// The labels hold their layout names until a scan has filled them.
void Form1::Form_Load() {
    for (const ValueLabel& value : kValueLabels) window_.label(value.name).setCaption("");
}

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

}  // namespace kestrel::forms
