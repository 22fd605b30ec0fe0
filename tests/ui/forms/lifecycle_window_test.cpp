// A window's life and its timers, as every toolkit's window has them (LifecycleWindow, here
// under the recording window, whose show() counts as drawn).
#include <gtest/gtest.h>

#include <algorithm>

#include "recording_window.h"

namespace kestrel::test {
namespace {

constexpr std::string_view kTimer = "Timer1";

class LifecycleWindowTest : public ::testing::Test {
  protected:
    // A timer ticking every 10 ms once the window lets it.
    forms::Timer& enabledTimer() {
        forms::Timer& timer = window.timer(kTimer);
        timer.setInterval(10);
        timer.setEnabled(true);
        timer.onTick([this] { ++ticks; });
        return timer;
    }
    RecordingClock& clock() { return window.clock(kTimer); }

    RecordingRuntime rt;
    EventLog log;
    RecordingWindow window{"w", rt.runtime, log};
    int ticks = 0;
};

TEST_F(LifecycleWindowTest, LoadMarksTheWindowAndTellsTheRuntimeBeforeItsEventOnce) {
    int loads = 0;
    window.onLoad([&] {
        ++loads;
        EXPECT_TRUE(window.isLoaded());
        EXPECT_EQ(rt.runtime.loadedWindows(), 1u);
    });
    window.load();
    window.load();
    window.show();
    EXPECT_EQ(loads, 1);
}

TEST_F(LifecycleWindowTest, AnUnloadedWindowStaysUnloaded) {
    int loads = 0;
    window.onLoad([&] { ++loads; });
    window.show();
    window.unload();
    window.load();
    window.show();
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(window.isLoaded());
    EXPECT_EQ(rt.runtime.loadedWindows(), 0u);
}

TEST(LifecycleWindowUnloadTest, StopsTimersThenDismissesThenTellsTheRuntimeLast) {
    RecordingMessageBox messages;
    EventLog log;
    const RecordingClock* clock = nullptr;
    bool clockRanAtEnd = true;
    EventLog logAtEnd;
    forms::WindowRuntime runtime(messages, [&](int) {
        clockRanAtEnd = clock->running;
        logAtEnd = log;
    });
    RecordingWindow window("w", runtime, log);
    forms::Timer& timer = window.timer(kTimer);
    timer.setInterval(10);
    timer.setEnabled(true);
    clock = &window.clock(kTimer);
    window.show();
    ASSERT_TRUE(clock->running);
    window.unload();
    EXPECT_FALSE(clockRanAtEnd);
    EXPECT_EQ(logAtEnd, (EventLog{"w loaded", "w shown", "w unloaded"}));
}

TEST_F(LifecycleWindowTest, UnloadOfAWindowThatIsNotLoadedDoesNothing) {
    window.unload();
    EXPECT_FALSE(window.wasUnloaded());
    window.show();
    window.unload();
    window.unload();
    EXPECT_EQ(std::count(log.begin(), log.end(), "w unloaded"), 1);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
}

TEST_F(LifecycleWindowTest, TheFirstTickComesOnlyOnceTheWindowIsDrawn) {
    enabledTimer();
    window.load();
    window.tick(kTimer);
    EXPECT_FALSE(clock().running);
    EXPECT_EQ(ticks, 0);
    window.show();
    EXPECT_TRUE(clock().running);
    EXPECT_EQ(clock().interval, 10);
    window.tick(kTimer);
    EXPECT_EQ(ticks, 1);
}

TEST_F(LifecycleWindowTest, ATimerMadeOnceTheWindowRunsStartsWhenEnabled) {
    window.show();
    enabledTimer();
    EXPECT_TRUE(clock().running);
    window.tick(kTimer);
    EXPECT_EQ(ticks, 1);
}

TEST_F(LifecycleWindowTest, UnloadStopsTheTimerForGoodEvenIfEnabledAgain) {
    forms::Timer& timer = enabledTimer();
    window.show();
    window.unload();
    timer.setEnabled(false);
    timer.setEnabled(true);
    timer.setInterval(20);
    window.tick(kTimer);  // one that was due already
    EXPECT_FALSE(clock().running);
    EXPECT_EQ(ticks, 0);
}

TEST_F(LifecycleWindowTest, ANewIntervalStartsARunningClockOver) {
    forms::Timer& timer = enabledTimer();
    window.show();
    timer.setInterval(50);
    EXPECT_EQ(clock().interval, 50);
    EXPECT_EQ(clock().starts, 2);
    timer.setInterval(50);
    timer.setEnabled(true);
    EXPECT_EQ(clock().starts, 2) << "nothing changed: the running interval goes on";
}

TEST_F(LifecycleWindowTest, DisabledOrAtIntervalZeroTheTimerDoesNotTick) {
    forms::Timer& timer = enabledTimer();
    window.show();
    timer.setEnabled(false);
    EXPECT_FALSE(clock().running);
    window.tick(kTimer);
    timer.setEnabled(true);
    timer.setInterval(0);
    EXPECT_FALSE(clock().running);
    window.tick(kTimer);
    EXPECT_EQ(ticks, 0);
}

TEST_F(LifecycleWindowTest, ATickDuringItsOwnHandlersIsDroppedNotKept) {
    enabledTimer();
    // As a message box's event loop inside the handler would deliver it.
    window.timer(kTimer).onTick([this] {
        if (ticks == 1) window.tick(kTimer);
    });
    window.show();
    window.tick(kTimer);
    EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace kestrel::test
