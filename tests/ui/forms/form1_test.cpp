#include <gtest/gtest.h>

#include "fixture_service.h"
#include "inventory/controls.h"
#include "inventory/inventory_scan.h"
#include "inventory/recording_scan_target.h"
#include "recording_window.h"
#include "ui/forms/form1.h"
#include "ui/layout/layout_names.h"
#include "wiring/build_config.h"

namespace kestrel::test {
namespace {

class Form1Test : public ::testing::Test {
  protected:
    void fillLists(int rows) {
        for (const auto name :
             {layout::form1::slotsLst, layout::form1::memoryLst, layout::form1::speedLst}) {
            form.clearList(name);
            for (int i = 0; i < rows; ++i) form.addRow(name, std::to_string(i));
        }
    }
    std::vector<int> selectedRows() {
        return {window.list(layout::form1::slotsLst).selectedIndex(),
                window.list(layout::form1::memoryLst).selectedIndex(),
                window.list(layout::form1::speedLst).selectedIndex()};
    }

    RecordingRuntime rt;
    EventLog log;
    RecordingDesktop desktop{rt.messages, log};
    RecordingWindow window{std::string(layout::form1::kWindow), rt.runtime, log};
    forms::Form1 form{window, desktop.desktop, [] { return fixtureService(); }};
};

TEST_F(Form1Test, LoadBlanksTheValueLabelsBeforeTheScanWritesAny) {
    for (const auto name : controls::kValueLabels) window.label(name).setCaption("Label21");
    form.setCaption(layout::form1::Label22, "AC-22");
    for (const auto name : controls::kValueLabels) {
        EXPECT_EQ(window.caption(name), name == layout::form1::Label22 ? "AC-22" : "") << name;
    }
    EXPECT_EQ(form.inventory().moduleCount, 0);
    EXPECT_EQ(log, EventLog{"Form1 loaded"}) << "loaded, not shown";
}

TEST_F(Form1Test, ScanFillsTheWindowAsTheRecordingTargetSees) {
    EXPECT_EQ(form.getKestrel(), InventoryValue("Success"));
    SystemInventory expected;
    RecordingScanTarget target(expected);
    auto service = fixtureService();
    InventoryScan(*service, target, expected, ValueFormat("."), {"h", "d"}).run();
    for (const auto& [label, text] : target.captions())
        EXPECT_EQ(window.caption(label), text) << label;
    for (const auto name :
         {layout::form1::slotsLst, layout::form1::memoryLst, layout::form1::speedLst})
        EXPECT_EQ(window.list(name).rows, target.rows(name)) << name;
    EXPECT_EQ(window.navigations().size(), 1u);
    EXPECT_EQ(log, EventLog{"Form1 loaded"}) << "the scan leaves the window hidden";
}

TEST_F(Form1Test, CopyClearsTheClipboardThenSetsExactlyTheReport) {
    form.getKestrel();
    window.click(layout::form1::clipboardCmd);
    EXPECT_EQ(log, (EventLog{"Form1 loaded", "clipboard cleared",
                             "clipboard set to " + form.inventory().reportText}));
    EXPECT_TRUE(rt.messages.texts.empty());
}

TEST_F(Form1Test, AClipboardHeldElsewhereTakesTheUntrappedErrorPath) {
    desktop.clipboard.heldElsewhere = true;
    window.click(layout::form1::clipboardCmd);
    EXPECT_EQ(rt.messages.texts,
              std::vector<std::string>{"Run-time error: the clipboard is held by another program"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{forms::WindowRuntime::kUntrappedErrorStatus});
}

TEST_F(Form1Test, SelectingARowInAnyListMovesAllThreeAndTheHandlersEnd) {
    fillLists(4);
    int row = 0;
    for (const auto name :
         {layout::form1::memoryLst, layout::form1::slotsLst, layout::form1::speedLst}) {
        row = row == 2 ? 1 : 2;
        window.select(name, row);
        EXPECT_EQ(selectedRows(), (std::vector<int>{row, row, row})) << name;
    }
    window.select(layout::form1::memoryLst, -1);
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(window.list(layout::form1::speedLst).selectionEvents, 4) << "one per change, no loop";
    EXPECT_TRUE(rt.messages.texts.empty());
}

TEST_F(Form1Test, ChatStartsTheBrowserOrSaysItIsMissingAndCarriesOn) {
    window.click(layout::form1::Image1);
    window.click(layout::form1::Label39);
    const std::string started =
#ifdef _WIN32
        R"(C:\Program Files\Internet Explorer\iexplore.exe )"
#else
        "xdg-open "
#endif
        "http://" +
        std::string(build::kChatHost) + "/support/UserPreChat.aspx?ref=CustomerScanWindow (show 1)";
    EXPECT_EQ(desktop.processes.started, (std::vector<std::string>{started, started}));
    desktop.processes.programMissing = true;
    window.click(layout::form1::Label39);
    window.click(layout::form1::Image1);
    EXPECT_EQ(rt.messages.texts,
              (std::vector<std::string>{"Browser Not found!!!", "Browser Not found!!!"}));
    EXPECT_TRUE(rt.endStatuses.empty());
}

TEST_F(Form1Test, ProbeShowsTheFirstThousandBytesOfThePage) {
    desktop.pages.body = "<html>" + std::string(2000, 'x');
    window.click(layout::form1::Command1);
    desktop.pages.body.clear();
    window.click(layout::form1::Command1);
    EXPECT_EQ(desktop.pages.requests,
              (std::vector<std::string>{build::kProbeUrl, build::kProbeUrl}));
    EXPECT_EQ(rt.messages.texts,
              (std::vector<std::string>{"<html>" + std::string(994, 'x'), std::string(1000, ' ')}));
}

}  // namespace
}  // namespace kestrel::test
