#include "ui/forms/screen_fit.h"

#include <gtest/gtest.h>

namespace kestrel::test {
namespace {

using forms::FrameMargins;
using forms::ScreenRect;
using forms::WindowFit;

// The main window at 96-dpi pixels: 785 x 706, its client area at (123, 22), its browser 289
// high of which 139 may go.
constexpr forms::WindowPlan kMain{785, 706, {123, 22}, 139};
// The disclaimer: 410 x 322 at (335, 141), no page area.
constexpr forms::WindowPlan kDialog{410, 322, {335, 141}, 0};
constexpr int kScrollBar = 17;
constexpr FrameMargins kNoFrame{};
// A title bar 23 high and a 4-pixel border, as a window manager draws them.
constexpr FrameMargins kTitleBar{4, 27, 4, 4};

WindowFit fit(const forms::WindowPlan& plan, ScreenRect workArea, FrameMargins frame = kNoFrame) {
    return forms::fitToWorkArea(plan, frame, workArea, kScrollBar);
}

TEST(ScreenFit, ALargeScreenKeepsTheLayoutAndItsPlace) {
    const WindowFit f = fit(kMain, {0, 0, 1280, 1024}, kTitleBar);
    EXPECT_EQ(f.client, (ScreenRect{123, 27, 785, 706})) << "only the title bar moves in";
    EXPECT_EQ(f.pageShrink, 0);
    EXPECT_FALSE(f.scrolls);
    EXPECT_EQ(f.contentHeight, 706);
}

TEST(ScreenFit, AWindowJustTooTallShortensThePageByWhatIsMissing) {
    // 1920 x 1080 at 150 %: 1280 x 720, less a task bar 32 high.
    const WindowFit f = fit(kMain, {0, 0, 1280, 688});
    EXPECT_EQ(f.pageShrink, 706 - 688);
    EXPECT_EQ(f.client, (ScreenRect{123, 0, 785, 688}));
    EXPECT_EQ(f.contentHeight, 688);
    EXPECT_FALSE(f.scrolls);
}

TEST(ScreenFit, TheFrameCountsAgainstTheWorkArea) {
    // 1366 x 768 less a 40-pixel task bar, with the window manager's frame.
    const WindowFit f = fit(kMain, {0, 0, 1366, 728}, kTitleBar);
    EXPECT_EQ(f.pageShrink, 706 - (728 - 31));
    EXPECT_EQ(f.client, (ScreenRect{123, 27, 785, 697}));
}

TEST(ScreenFit, BelowThePagesMinimumTheWindowScrollsFromTheWorkAreasCorner) {
    // 1920 x 1080 at 200 %: 960 x 540, the task bar on the left.
    const WindowFit f = fit(kMain, {48, 0, 912, 540}, kTitleBar);
    EXPECT_EQ(f.pageShrink, 139);
    EXPECT_EQ(f.contentHeight, 706 - 139);
    EXPECT_TRUE(f.scrolls);
    EXPECT_EQ(f.client, (ScreenRect{52, 27, 785 + kScrollBar, 540 - 31}));
}

TEST(ScreenFit, AWindowTooNarrowScrollsBothWaysWhenTheBarTakesTheRoom) {
    const WindowFit f = fit(kMain, {0, 0, 683, 700});
    EXPECT_TRUE(f.scrolls);
    EXPECT_EQ(f.pageShrink, 6);
    EXPECT_EQ(f.client, (ScreenRect{0, 0, 683, 700}));
    EXPECT_EQ(f.contentWidth, 785);
}

TEST(ScreenFit, AWindowWithoutAPageScrollsRatherThanShrink) {
    const WindowFit f = fit(kDialog, {0, 0, 800, 300});
    EXPECT_EQ(f.pageShrink, 0);
    EXPECT_TRUE(f.scrolls);
    EXPECT_EQ(f.client, (ScreenRect{0, 0, 410 + kScrollBar, 300}));
}

TEST(ScreenFit, AWindowPastTheRightEdgeMovesLeftJustEnough) {
    const WindowFit f = fit(kDialog, {0, 0, 640, 480}, kTitleBar);
    EXPECT_EQ(f.client, (ScreenRect{640 - 4 - 410, 141, 410, 322}));
    EXPECT_FALSE(f.scrolls);
}

TEST(ScreenFit, AnEmptyWorkAreaLeavesTheLayoutAsItIs) {
    const WindowFit f = fit(kMain, {0, 0, 0, 0}, kTitleBar);
    EXPECT_EQ(f.client, (ScreenRect{123, 22, 785, 706}));
    EXPECT_FALSE(f.scrolls);
    EXPECT_EQ(f.pageShrink, 0);
}

}  // namespace
}  // namespace kestrel::test
