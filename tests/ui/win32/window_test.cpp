// The Win32 windows as built from the layout table, shown on Wine's display at 96 dpi.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "control_name_printing.h"
#include "message_pump.h"
#include "platform/windows/utf16.h"
#include "ui/layout/layout_names.h"
#include "ui/win32/dpi.h"
#include "ui/win32/form_window.h"
#include "ui/win32/layout_table.h"
#include "ui/win32/message_loop.h"

namespace kestrel::test {
namespace {

using layout::ControlLayout;
using win32::FormWindow;

// Left, top, right, bottom.
using Corners = std::array<LONG, 4>;

Corners corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

Corners rectInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return corners(r);
}

Corners pixelsOf(const layout::TwipsRect& t) {
    return {t.left / 15, t.top / 15, (t.left + t.width) / 15, (t.top + t.height) / 15};
}

POINT clientOrigin(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

class Win32Windows : public testing::Test {
  protected:
    win32::OleSession ole_;
};

TEST_F(Win32Windows, ControlsSitAtTheirTwipsOver15InTheirParents) {
    for (const layout::WindowLayout& layout : layout::windowLayouts()) {
        SCOPED_TRACE(std::string(layout.name));
        FormWindow window(layout, {});
        window.show();
        ASSERT_EQ(win32::dpiOf(window.handle()), 96);
        RECT client;
        GetClientRect(window.handle(), &client);
        EXPECT_EQ(corners(client),
                  (Corners{0, 0, layout.clientWidth / 15, layout.clientHeight / 15}));
        for (const ControlLayout& c : layout.controls) {
            SCOPED_TRACE(std::string(c.name));
            const HWND control = window.controls().control(c.name);
            EXPECT_EQ(GetParent(control),
                      c.parent.empty() ? window.handle() : window.controls().control(c.parent));
            EXPECT_EQ(rectInParent(control), pixelsOf(c.rect));
            EXPECT_EQ(IsWindowVisible(control) != 0, c.visible);
        }
    }
}

TEST_F(Win32Windows, ControlsDrawInTheirLaidOutFontsAndColours) {
    for (const layout::WindowLayout& layout : layout::windowLayouts()) {
        FormWindow window(layout, {});
        window.show();
        const HDC dc = GetDC(window.handle());
        for (const ControlLayout& c : layout.controls) {
            SCOPED_TRACE(std::string(layout.name) + "." + std::string(c.name));
            // A picture draws no text; the browser draws the page's own.
            if (!c.picture.empty() || c.kind == layout::ControlKind::browser) continue;
            const HWND control = window.controls().control(c.name);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            LOGFONTW requested{};
            ASSERT_TRUE(GetObjectW(font, sizeof requested, &requested));
            EXPECT_EQ(requested.lfHeight, -std::lround(c.font.points * 96 / 72));
            EXPECT_EQ(requested.lfWeight >= FW_BOLD, c.font.bold);
            // The face the system actually draws with: a missing font would be replaced.
            const HGDIOBJ old = SelectObject(dc, font);
            wchar_t face[LF_FACESIZE] = {};
            GetTextFaceW(dc, LF_FACESIZE, face);
            SelectObject(dc, old);
            EXPECT_EQ(windows::toUtf8(face), c.font.family);
            // Static controls ask their parent (a frame, which passes it on) for their colours.
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SendMessageW(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(control));
            if (c.textColour) {
                EXPECT_EQ(GetTextColor(dc), RGB(*c.textColour >> 16, (*c.textColour >> 8) & 0xFF,
                                                *c.textColour & 0xFF));
            }
        }
        ReleaseDC(window.handle(), dc);
    }
}

TEST_F(Win32Windows, WindowsHaveTheirFramesPlacesTaskBarRulesAndPointers) {
    FormWindow dialog(layout::windowLayout(layout::dialog::kWindow), {});
    FormWindow splash(layout::windowLayout(layout::frm_splash::kWindow), {});
    FormWindow form1(layout::windowLayout(layout::form1::kWindow), {});
    for (FormWindow* w : {&dialog, &splash, &form1}) w->show();
    const auto style = [](const FormWindow& w) { return GetWindowLongW(w.handle(), GWL_STYLE); };
    constexpr LONG resizing = WS_THICKFRAME | WS_MAXIMIZEBOX;

    EXPECT_EQ(clientOrigin(dialog.handle()).x, 335);
    EXPECT_EQ(clientOrigin(dialog.handle()).y, 141);
    EXPECT_EQ(style(dialog) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style(dialog) & (resizing | WS_MINIMIZEBOX), 0);
    EXPECT_NE(GetWindow(dialog.handle(), GW_OWNER), nullptr);  // owned: no task-bar button

    EXPECT_NE(style(splash) & WS_CAPTION, WS_CAPTION);  // no title bar
    EXPECT_EQ(style(splash) & resizing, 0);
    EXPECT_NE(GetWindow(splash.handle(), GW_OWNER), nullptr);
    const POINT splashOrigin = clientOrigin(splash.handle());
    EXPECT_NEAR(2 * splashOrigin.x + 242, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(2 * splashOrigin.y + 78, GetSystemMetrics(SM_CYSCREEN), 1);

    EXPECT_EQ(clientOrigin(form1.handle()).x, 123);
    EXPECT_EQ(clientOrigin(form1.handle()).y, 22);
    EXPECT_EQ(style(form1) & (resizing | WS_MINIMIZEBOX), WS_MINIMIZEBOX);
    EXPECT_EQ(GetWindow(form1.handle(), GW_OWNER), nullptr);
    // The chat links' pointer is the hand from the resources, hot spot at column 12, row 1.
    for (const auto link : {layout::form1::Image1, layout::form1::Label39}) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(form1.handle(), WM_SETCURSOR,
                     reinterpret_cast<WPARAM>(form1.controls().control(link)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ICONINFO pointer{};
        ASSERT_TRUE(GetIconInfo(GetCursor(), &pointer)) << link;
        EXPECT_EQ(pointer.xHotspot, 12u) << link;
        EXPECT_EQ(pointer.yHotspot, 1u) << link;
        DeleteObject(pointer.hbmMask);
        DeleteObject(pointer.hbmColor);
    }
    EXPECT_NE(SendMessageW(form1.handle(), WM_GETICON, ICON_BIG, 0) ||
                  GetClassLongPtrW(form1.handle(), GCLP_HICON),
              0);
}

TEST_F(Win32Windows, TabFollowsTheLayoutsOrderAndEnterOrEscapePressNoButton) {
    std::vector<std::string> clicks;
    FormWindow form1(layout::windowLayout(layout::form1::kWindow), {});
    form1.show();
    const auto focused = [&](std::string_view name) {
        const HWND control = form1.controls().control(name);
        return GetFocus() == control || IsChild(control, GetFocus());
    };
    EXPECT_TRUE(focused(layout::form1::slotsLst));
    // Command1 is hidden, so Tab passes it by.
    const std::string_view tabOrder[] = {layout::form1::clipboardCmd, layout::form1::WB,
                                         layout::form1::memoryLst, layout::form1::speedLst,
                                         layout::form1::slotsLst};
    for (const std::string_view next : tabOrder) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        pumpAWhile();
        EXPECT_TRUE(focused(next)) << next;
    }

    win32::FormEvents events;
    events.clicked = [&](std::string_view name) { clicks.emplace_back(name); };
    FormWindow dialog(layout::windowLayout(layout::dialog::kWindow), events);
    dialog.show();
    EXPECT_EQ(GetFocus(), dialog.controls().control(layout::dialog::Text1));
    for (const auto button : {layout::dialog::OKButton, layout::dialog::CancelButton}) {
        SetFocus(dialog.controls().control(button));
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
            PostMessageW(GetFocus(), WM_KEYUP, key, 0);
        }
    }
    pumpAWhile();
    EXPECT_TRUE(clicks.empty());
    SendMessageW(dialog.controls().control(layout::dialog::OKButton), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, std::vector<std::string>{std::string(layout::dialog::OKButton)});
}

}  // namespace
}  // namespace kestrel::test
