#include <gtest/gtest.h>

#include <map>

#include "fixture_service.h"
#include "inventory/error.h"
#include "recording_window.h"
#include "ui/forms/form1.h"
#include "ui/forms/form1_values.h"
#include "wiring/build_config.h"

namespace kestrel::test {
namespace {

class Form1Test : public ::testing::Test {
  protected:
    void fillLists(int rows) {
        for (const auto name : {forms::kSlotsList, forms::kMemoryList, forms::kSpeedList}) {
            window.list(name).clear();
            for (int i = 0; i < rows; ++i) window.list(name).addRow(std::to_string(i));
        }
    }
    std::vector<int> selectedRows() {
        return {window.list(forms::kSlotsList).selectedIndex(),
                window.list(forms::kMemoryList).selectedIndex(),
                window.list(forms::kSpeedList).selectedIndex()};
    }

    RecordingRuntime rt;
    EventLog log;
    RecordingDesktop desktop{rt.messages, log};
    RecordingWindow window{"Form1", rt.runtime, log};
    forms::Form1 form{window, desktop.desktop, [] { return fixtureService(); }};
};

TEST_F(Form1Test, LoadBlanksEveryValueLabelAndShowsNothing) {
    for (const auto& value : forms::kValueLabels) window.label(value.name).setCaption("Label21");
    window.load();
    for (const auto& value : forms::kValueLabels) EXPECT_EQ(window.caption(value.name), "");
    EXPECT_EQ(log, EventLog{"Form1 loaded"}) << "loaded, not shown";
}

TEST_F(Form1Test, ScanShowsEachFactUnderItsCaptionAndOneRowPerModule) {
    window.list(forms::kSlotsList).rows = {"stale"};
    EXPECT_EQ(form.getKestrel(), InventoryValue("Success"));
    // The Acme machine's facts, each in the label that the layout puts beside its caption.
    const std::map<std::string_view, std::string> shown = {
        {"Label21", "Acme Computers"},
        {"Label22", "AC-22"},
        {"Label23", "Acme Computers"},
        {"Label24", "Rev 1.0"},
        {"Label25", "ACME-SN-A1"},
        {"Label26", "X86-based PC"},
        {"Label27", "Example CPU 2.4GHz"},
        {"Label28", "ExampleChips"},
        {"Label41", "2400"},
        {"Label29", "200"},
        {"Label30", "Acme Computers"},
        {"Label31", "MB-22"},
        {"Label32", "Example BIOS Ltd"},
        {"Label33", "1.02"},
        {"Label34", "Acme RAM"},
        {"Label35", "2 GB"},
        {"Label36", "4 GB"},
        {"Label37", "4  (Currently Memory in 2 Slots)"},
    };
    for (const auto& value : forms::kValueLabels)
        EXPECT_EQ(window.caption(value.name), shown.at(value.name)) << value.name;
    using Rows = std::vector<std::string>;
    EXPECT_EQ(window.list(forms::kSlotsList).rows, (Rows{"DIMM 1", "DIMM 2"}));
    EXPECT_EQ(window.list(forms::kMemoryList).rows, (Rows{"1024 MB", "1024 MB"}));
    EXPECT_EQ(window.list(forms::kSpeedList).rows, (Rows{"667 MHz", "667 MHz"}));
    EXPECT_EQ(window.navigations(), Rows{form.inventory().selectorUrl});
    EXPECT_EQ(log, EventLog{"Form1 loaded"}) << "the scan leaves the window hidden";

    form.getKestrel();
    EXPECT_EQ(window.list(forms::kSlotsList).rows, (Rows{"DIMM 1", "DIMM 2"}))
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
    window.click("clipboardCmd");
    EXPECT_EQ(log, (EventLog{"Form1 loaded", "clipboard cleared",
                             "clipboard set to " + form.inventory().reportText}));
    EXPECT_TRUE(rt.messages.texts.empty());
}

TEST_F(Form1Test, AClipboardHeldElsewhereTakesTheUntrappedErrorPath) {
    desktop.clipboard.heldElsewhere = true;
    window.click("clipboardCmd");
    EXPECT_EQ(rt.messages.texts,
              std::vector<std::string>{"Run-time error: the clipboard is held by another program"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{forms::WindowRuntime::kUntrappedErrorStatus});
}

TEST_F(Form1Test, SelectingARowInAnyListMovesAllThreeAndTheHandlersEnd) {
    fillLists(4);
    int row = 0;
    for (const auto name : {forms::kMemoryList, forms::kSlotsList, forms::kSpeedList}) {
        row = row == 2 ? 1 : 2;
        window.select(name, row);
        EXPECT_EQ(selectedRows(), (std::vector<int>{row, row, row})) << name;
    }
    window.select(forms::kMemoryList, -1);
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(window.list(forms::kSpeedList).selectionEvents, 4) << "one per change, no loop";
    EXPECT_TRUE(rt.messages.texts.empty());
}

TEST_F(Form1Test, ChatStartsTheBrowserOrSaysItIsMissingAndCarriesOn) {
    window.click("Image1");
    window.click("Label39");
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
    window.click("Label39");
    window.click("Image1");
    EXPECT_EQ(rt.messages.texts,
              (std::vector<std::string>{"Browser Not found!!!", "Browser Not found!!!"}));
    EXPECT_TRUE(rt.endStatuses.empty());
}

TEST_F(Form1Test, ProbeShowsTheFirstThousandBytesOfThePage) {
    desktop.pages.body = "<html>" + std::string(2000, 'x');
    window.click("Command1");
    desktop.pages.body.clear();
    window.click("Command1");
    EXPECT_EQ(desktop.pages.requests,
              (std::vector<std::string>{build::kProbeUrl, build::kProbeUrl}));
    EXPECT_EQ(rt.messages.texts,
              (std::vector<std::string>{"<html>" + std::string(994, 'x'), std::string(1000, ' ')}));
}

}  // namespace
}  // namespace kestrel::test
