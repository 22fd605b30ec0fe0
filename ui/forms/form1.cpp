#include "ui/forms/form1.h"

#include "net/probe.h"
#include "ui/forms/chat_launch.h"
#include "ui/forms/form1_values.h"
#include "ui/forms/list_sync.h"
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
    window_.label("Label42").setCaption(helpText());
    window_.setFirstFocus(kSlotsList);
    window_.onLoad([this] { Form_Load(); });
    window_.clickable("clipboardCmd").onClick([this] { clipboardCmd_Click(); });
    window_.clickable("Image1").onClick([this] { chat_Click(); });
    window_.clickable("Label39").onClick([this] { chat_Click(); });
    window_.clickable("Command1").onClick([this] { Command1_Click(); });
    window_.listBox(kMemoryList).onSelectionChanged([this] { memoryLst_Click(); });
    window_.listBox(kSlotsList).onSelectionChanged([this] { slotsLst_Click(); });
    window_.listBox(kSpeedList).onSelectionChanged([this] { speedLst_Click(); });
}

InventoryValue Form1::getKestrel() {
    const std::unique_ptr<ManagementService> service = openService_();
    inventory_ = scan(*service);
    window_.load();
    showInventory();
    window_.browser("WB").navigate(inventory_.selectorUrl);
    return InventoryValue("Success");
}

void Form1::showInventory() {
    for (const ValueLabel& value : kValueLabels)
        window_.label(value.name).setCaption(shownText(inventory_, value.field));
    for (const auto list : {kSlotsList, kMemoryList, kSpeedList}) window_.listBox(list).clear();
    for (const SystemInventory::ModuleRow& row : inventory_.moduleRows) {
        window_.listBox(kSlotsList).addRow(row.locator);
        window_.listBox(kMemoryList).addRow(row.size);
        window_.listBox(kSpeedList).addRow(row.speed);
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
    followSelection(window_.listBox(kMemoryList), window_.listBox(kSlotsList),
                    window_.listBox(kSpeedList));
}

void Form1::slotsLst_Click() {
    followSelection(window_.listBox(kSlotsList), window_.listBox(kMemoryList),
                    window_.listBox(kSpeedList));
}

void Form1::speedLst_Click() {
    followSelection(window_.listBox(kSpeedList), window_.listBox(kMemoryList),
                    window_.listBox(kSlotsList));
}

}  // namespace kestrel::forms
