#include <gtest/gtest.h>

#include <QMessageBox>

#include "gui_test_support.h"
#include "ui/qt/kestrel_window.h"
#include "ui/qt/message_box.h"
#include "ui/qt/window_slot.h"

namespace kestrel::test {
namespace {

class TestWindow : public gui::KestrelWindow {
  public:
    explicit TestWindow(forms::WindowRuntime& runtime) : KestrelWindow(runtime, Qt::Window) {
        onLoad([this] { ++loads; });
    }
    int loads = 0;
};

class WindowRuntimeTest : public ::testing::Test {
  protected:
    RecordingRuntime rt;
    gui::WindowSlot<TestWindow> first{[this] { return std::make_unique<TestWindow>(rt.runtime); }};
    gui::WindowSlot<TestWindow> second{[this] { return std::make_unique<TestWindow>(rt.runtime); }};
};

TEST_F(WindowRuntimeTest, ProcessEndsWhenNoWindowIsLoadedHiddenOnesIncluded) {
    first->show();
    second->load();  // loaded, never shown
    first->unload();
    processEvents();
    EXPECT_TRUE(rt.endStatuses.empty()) << "a hidden loaded window keeps the process alive";
    second->unload();
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
}

TEST_F(WindowRuntimeTest, CloseBoxUnloadsTheWindow) {
    first->show();
    first->close();
    EXPECT_EQ(first.current(), nullptr);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
}

TEST_F(WindowRuntimeTest, SlotCreatesOnFirstReferenceAndAFreshWindowAfterUnload) {
    EXPECT_EQ(first.current(), nullptr);
    TestWindow* window = &*first;
    EXPECT_EQ(&*first, window);
    EXPECT_EQ(window->loads, 0) << "created, not loaded";
    window->show();
    window->load();
    EXPECT_EQ(window->loads, 1);
    second->load();  // keeps the process alive
    window->unload();
    EXPECT_EQ(first.current(), nullptr);
    EXPECT_EQ(first->loads, 0);
    first->load();
    EXPECT_EQ(first->loads, 1);
}

TEST_F(WindowRuntimeTest, TimersTickOnceTheWindowHasBeenPainted) {
    int ticks = 0;
    forms::Timer& timer = first->timer("Timer1");
    timer.setInterval(1);
    timer.setEnabled(true);
    timer.onTick([&] { ++ticks; });
    first->load();
    processEvents(50);
    EXPECT_EQ(ticks, 0) << "loaded, never painted";
    first->show();
    processEvents(50);
    EXPECT_GT(ticks, 0);
}

TEST_F(WindowRuntimeTest, NoCloseBoxUnloadAfterTheProcessEnded) {
    first->show();
    rt.runtime.end(0);
    first->close();
    EXPECT_EQ(rt.endStatuses.size(), 1u);
    EXPECT_TRUE(first->isLoaded());
}

TEST(MessageBoxTest, OkOnlyNoIconApplicationTitleModal) {
    const auto box = gui::createMessageBox("Browser Not found!!!");
    EXPECT_EQ(box->text(), "Browser Not found!!!");
    EXPECT_EQ(box->windowTitle(), "Kestrel - System Memory Information");
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_TRUE(box->isModal());
}

TEST(MessageBoxTest, MarkupShowsAsWrittenAndLoadsNothing) {
    // A probe body or an error text that is a web page, image included.
    const QString page = "<!doctype html><img src='file:///etc/hostname'><b>bold</b>";
    const auto box = gui::createMessageBox(page);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), page);
}

}  // namespace
}  // namespace kestrel::test
