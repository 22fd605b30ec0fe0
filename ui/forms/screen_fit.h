#pragma once

#include <array>
#include <string_view>

#include "ui/layout/layout_names.h"

namespace kestrel::forms {

// Where a window goes and how big it gets on a screen whose work area (the screen less task bar
// and panels) may be smaller than the layout. Every length is in the pixels of that screen at
// its current scale; each front end converts the layout's twips and measures its own frame.

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// What the window manager or the system draws around a client area.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct WindowPlan {
    int clientWidth = 0;
    int clientHeight = 0;
    // Where the layout puts the client area's top-left corner.
    ScreenPoint place;
    // How much shorter the window's page area may get before it is no use; 0: it has none.
    int pageSlack = 0;
};

struct WindowFit {
    // The client area on the screen, scroll bars included when the window scrolls.
    ScreenRect client;
    // The laid-out content that the client area shows: the layout with its page area shortened.
    int contentWidth = 0;
    int contentHeight = 0;
    // How much shorter the page area (and what holds it) gets.
    int pageShrink = 0;
    // Whether the client area shows only part of the content, the rest reached by scrolling.
    bool scrolls = false;
};

// The rule: a window that fits the work area keeps its layout, and its place where the whole
// window lies inside the work area; otherwise it is moved inside. A window too tall shortens
// its page area, down to the page's slack; one that still does not fit (or is too wide) goes
// to the work area's top-left corner at the work area's size and scrolls, scrollBar pixels
// wide. An empty work area says nothing about the screen: the layout stays as it is.
WindowFit fitToWorkArea(const WindowPlan& plan, const FrameMargins& frame,
                        const ScreenRect& workArea, int scrollBar);

// The main window's page area: the selector page's browser, its frame and the frame that holds
// everything get shorter together; nothing lies below them.
inline constexpr std::array<std::string_view, 3> kPageArea{
    layout::form1::Frame1, layout::form1::Frame9, layout::form1::WB};
// The browser's useful minimum height in twips (150 pixels at 96 dpi): a few lines of the page.
inline constexpr int kMinimumPageTwips = 2250;

}  // namespace kestrel::forms
