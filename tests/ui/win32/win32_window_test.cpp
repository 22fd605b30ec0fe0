// The forms' controls and window life on the Win32 runtime, under Wine.
#include "ui/win32/win32_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/error.h"
#include "message_pump.h"
#include "platform/windows/utf16.h"
#include "ui/forms/frm_splash.h"
#include "ui/forms/message_box.h"
#include "ui/layout/layout_names.h"
#include "ui/win32/message_loop.h"

namespace kestrel::test {
namespace {

class NoMessageBox : public forms::MessageBox {
  public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class Win32FormWindow : public testing::Test {
  protected:
    win32::OleSession ole_;
    NoMessageBox messages_;
    std::vector<int> ends_;
    forms::WindowRuntime runtime_{messages_, [this](int status) { ends_.push_back(status); }};
    int unloads_ = 0;
};

TEST_F(Win32FormWindow, ListSelectionRaisesItsEventOnceForEachChangeByCodeOrUser) {
    win32::Win32Window window(layout::form1::kWindow, runtime_, {});
    forms::ListBox& list = window.listBox(layout::form1::slotsLst);
    int events = 0;
    list.onSelectionChanged([&] { ++events; });
    for (const char* row : {"DIMM 0", "DIMM 1", "DIMM 2"}) list.addRow(row);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.selectedIndex(), -1);

    list.setSelectedIndex(2);
    list.setSelectedIndex(2);  // no change, no event
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_EQ(events, 1);

    // The user: the system selects, then tells the list's parent (a frame, which passes it on).
    const HWND native = window.native().controls().control(layout::form1::slotsLst);
    const auto userSelects = [&](int row) {
        SendMessageW(native, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageW(GetParent(native), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(native));
    };
    userSelects(0);
    userSelects(0);  // a click on the row already selected changes nothing
    EXPECT_EQ(events, 2);

    list.clear();  // emptying is no selection
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(events, 2);
}

TEST_F(Win32FormWindow, CaptionsAreShownAndReadBackAsPlainText) {
    win32::Win32Window window(layout::form1::kWindow, runtime_, {});
    const std::string text =
        "ACME & Sons <b>\xC3\x9C"
        "ber</b>";
    window.label(layout::form1::Label21).setCaption(text);
    EXPECT_EQ(window.label(layout::form1::Label21).caption(), text);
    wchar_t shown[64] = {};
    GetWindowTextW(window.native().controls().control(layout::form1::Label21), shown, 64);
    EXPECT_EQ(windows::toUtf8(shown), text);
    EXPECT_THROW(window.label(layout::LabelName{"NoSuchLabel"}), Error) << "a name of no layout";
}

TEST_F(Win32FormWindow, TimerTicksOnlyWhileTheWindowIsLoadedAndShown) {
    win32::Win32Window window(layout::frm_splash::kWindow, runtime_, [this] { ++unloads_; });
    int ticks = 0;
    forms::Timer& timer = window.timer(forms::FrmSplash::kTimer);
    timer.setInterval(10);
    timer.setEnabled(true);
    timer.onTick([&] { ++ticks; });
    window.load();
    pumpAWhile();
    EXPECT_EQ(ticks, 0);  // loaded but not yet drawn

    window.show();
    EXPECT_TRUE(pumpUntil([&] { return ticks > 0; }));
    window.unload();
    const int atUnload = ticks;
    pumpAWhile();
    EXPECT_EQ(ticks, atUnload);
    EXPECT_EQ(unloads_, 1);
    EXPECT_EQ(ends_, std::vector<int>{0});  // the last loaded window is gone
}

TEST_F(Win32FormWindow, CloseBoxUnloadsTheWindowAndTypedCharactersReachTheForm) {
    win32::Win32Window window(layout::dialog::kWindow, runtime_, [this] { ++unloads_; });
    int keys = 0;
    window.onCharacterKey([&] { ++keys; });
    window.show();
    PostMessageW(GetFocus(), WM_CHAR, L'q', 0);
    pumpAWhile();
    EXPECT_EQ(keys, 1);

    PostMessageW(window.native().handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(pumpUntil([&] { return unloads_ == 1; }));
    EXPECT_FALSE(window.isLoaded());
    EXPECT_EQ(ends_, std::vector<int>{0});
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace kestrel::test
