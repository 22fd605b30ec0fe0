#include <gtest/gtest.h>

#include <map>

#include "fixture_service.h"
#include "inventory/error.h"
#include "recording_window.h"
#include "ui/forms/form1.h"
#include "ui/forms/form1_values.h"
#include "ui/layout/layout_names.h"
#include "wiring/build_config.h"

namespace kestrel::test {
namespace {

class Form1Test : public ::testing::Test {
  protected:
    void fillLists(int rows) {
        for (const auto name :
             {layout::form1::slotsLst, layout::form1::memoryLst, layout::form1::speedLst}) {
            window.list(name).clear();
            for (int i = 0; i < rows; ++i) window.list(name).addRow(std::to_string(i));
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

TEST_F(Form1Test, LoadBlanksEveryValueLabelAndShowsNothing) {
    for (const auto& value : forms::kValueLabels) window.label(value.name).setCaption("Label21");
    window.load();
    for (const auto& value : forms::kValueLabels) EXPECT_EQ(window.caption(value.name), "");
    EXPECT_EQ(log, EventLog{"Form1 loaded"}) << "loaded, not shown";
}

TEST_F(Form1Test, ScanShowsEachFactUnderItsCaptionAndOneRowPerModule) {
    window.list(layout::form1::slotsLst).rows = {"stale"};
    EXPECT_EQ(form.getKestrel(), InventoryValue("Success"));
    // The Acme machine's facts, each in the label that the layout puts beside its caption.
    const std::map<std::string_view, std::string> shown = {
        {layout::form1::Label21, "Acme Computers"},
        {layout::form1::Label22, "AC-22"},
        {layout::form1::Label23, "Acme Computers"},
        {layout::form1::Label24, "Rev 1.0"},
        {layout::form1::Label25, "ACME-SN-A1"},
        {layout::form1::Label26, "X86-based PC"},
        {layout::form1::Label27, "Example CPU 2.4GHz"},
        {layout::form1::Label28, "ExampleChips"},
        {layout::form1::Label41, "2400"},
        {layout::form1::Label29, "200"},
        {layout::form1::Label30, "Acme Computers"},
        {layout::form1::Label31, "MB-22"},
        {layout::form1::Label32, "Example BIOS Ltd"},
        {layout::form1::Label33, "1.02"},
        {layout::form1::Label34, "Acme RAM"},
        {layout::form1::Label35, "2 GB"},
        {layout::form1::Label36, "4 GB"},
        {layout::form1::Label37, "4  (Currently Memory in 2 Slots)"},
    };
    for (const auto& value : forms::kValueLabels)
        EXPECT_EQ(window.caption(value.name), shown.at(value.name)) << value.name;
    using Rows = std::vector<std::string>;
    EXPECT_EQ(window.list(layout::form1::slotsLst).rows, (Rows{"DIMM 1", "DIMM 2"}));
    EXPECT_EQ(window.list(layout::form1::memoryLst).rows, (Rows{"1024 MB", "1024 MB"}));
    EXPECT_EQ(window.list(layout::form1::speedLst).rows, (Rows{"667 MHz", "667 MHz"}));
    EXPECT_EQ(window.navigations(), Rows{form.inventory().selectorUrl});
    EXPECT_EQ(log, EventLog{"Form1 loaded"}) << "the scan leaves the window hidden";

    form.getKestrel();
    EXPECT_EQ(window.list(layout::form1::slotsLst).rows, (Rows{"DIMM 1", "DIMM 2"}))
        << "a second scan replaces the first";
    EXPECT_EQ(form.inventory().moduleCount, 2);
}

TEST_F(Form1Test, AFailedScanLeavesTheWindowAsItWas) {
    forms::Form1 failing{window, desktop.desktop,
                         [] { return fixtureService("bad-capacity.json"); }};
    EXPECT_THROW(failing.getKestrel(), Error);
    EXPECT_FALSE(window.isLoaded());
    EXPECT_TRUE(window.navigations().empty());
    EXPECT_TRUE(failing.inventory().reportText.empty());
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
