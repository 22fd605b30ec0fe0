#include <gtest/gtest.h>

#include <functional>

#include "recording_window.h"
#include "ui/forms/frm_splash.h"
#include "ui/layout/layout_names.h"

namespace kestrel::test {
namespace {

class FrmSplashTest : public ::testing::Test {
  protected:
    FrmSplashTest() { window.show(); }

    // Each scan logs itself and returns what the test sets (or throws).
    InventoryValue scan() {
        log.push_back("scan");
        return nextScan();
    }

    RecordingRuntime rt;
    EventLog log;
    std::function<InventoryValue()> nextScan = [] { return InventoryValue("Success"); };
    RecordingWindow window{std::string(layout::frm_splash::kWindow), rt.runtime, log};
    forms::FrmSplash splash{window, [this] { return scan(); },
                            [this] { log.push_back("main window shown"); }};
};

TEST_F(FrmSplashTest, SuccessUnloadsTheScreenThenShowsTheMainWindow) {
    window.tick(forms::FrmSplash::kTimer);
    window.tick(forms::FrmSplash::kTimer);
    EXPECT_EQ(log, (EventLog{"frmSplash loaded", "frmSplash shown", "scan", "frmSplash unloaded",
                             "main window shown"}));
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0}) << "no main window really loaded here";
}

TEST_F(FrmSplashTest, AnyOtherResultKeepsTheScreenAndScansAgain) {
    nextScan = [] { return InventoryValue("success"); };
    window.tick(forms::FrmSplash::kTimer);
    window.tick(forms::FrmSplash::kTimer);
    EXPECT_EQ(std::count(log.begin(), log.end(), "scan"), 2);
    EXPECT_TRUE(window.isLoaded());
}

TEST_F(FrmSplashTest, AScanErrorIsShownAndNothingScansAfterIt) {
    nextScan = []() -> InventoryValue { throw Error("the management service cannot be reached"); };
    window.tick(forms::FrmSplash::kTimer);
    window.tick(forms::FrmSplash::kTimer);
    EXPECT_EQ(std::count(log.begin(), log.end(), "scan"), 1);
    EXPECT_EQ(rt.messages.texts,
              std::vector<std::string>{"Run-time error: the management service cannot be reached"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{forms::WindowRuntime::kUntrappedErrorStatus});
}

TEST_F(FrmSplashTest, ATickThatFallsDueDuringTheScanStartsNoSecondOne) {
    nextScan = [this] {
        // As a message box's event loop inside the scan would deliver it.
        window.tick(forms::FrmSplash::kTimer);
        return InventoryValue("not yet");
    };
    window.tick(forms::FrmSplash::kTimer);
    EXPECT_EQ(std::count(log.begin(), log.end(), "scan"), 1);
}

TEST_F(FrmSplashTest, ACharacterKeyUnloadsTheScreenBeforeAnyScan) {
    window.typeCharacter();
    window.tick(forms::FrmSplash::kTimer);
    EXPECT_EQ(log, (EventLog{"frmSplash loaded", "frmSplash shown", "frmSplash unloaded"}));
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
}

}  // namespace
}  // namespace kestrel::test
