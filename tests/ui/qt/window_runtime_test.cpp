#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>

#include "gui_test_support.h"
#include "inventory/error.h"
#include "ui/qt/kestrel_window.h"
#include "ui/qt/window_slot.h"

namespace kestrel::test {
namespace {

class TestWindow : public gui::KestrelWindow {
  public:
    explicit TestWindow(gui::WindowRuntime& runtime) : KestrelWindow(runtime, Qt::Window) {}
    int loads = 0;

  protected:
    void load() override { ++loads; }
};

class WindowRuntimeTest : public ::testing::Test {
  protected:
    RecordingRuntime rt;
    gui::WindowSlot<TestWindow> first{[this] { return std::make_unique<TestWindow>(rt.runtime); }};
    gui::WindowSlot<TestWindow> second{[this] { return std::make_unique<TestWindow>(rt.runtime); }};
};

TEST_F(WindowRuntimeTest, ProcessEndsWhenNoWindowIsLoadedHiddenOnesIncluded) {
    first->showWindow();
    second->ensureLoaded();  // loaded, never shown
    first->unload();
    processEvents();
    EXPECT_TRUE(rt.endStatuses.empty()) << "a hidden loaded window keeps the process alive";
    second->unload();
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
}

TEST_F(WindowRuntimeTest, CloseBoxUnloadsTheWindow) {
    first->showWindow();
    first->close();
    EXPECT_EQ(first.current(), nullptr);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
}

TEST_F(WindowRuntimeTest, SlotCreatesOnFirstReferenceAndAFreshWindowAfterUnload) {
    EXPECT_EQ(first.current(), nullptr);
    TestWindow* window = &*first;
    EXPECT_EQ(&*first, window);
    EXPECT_EQ(window->loads, 0) << "created, not loaded";
    window->showWindow();
    window->ensureLoaded();
    EXPECT_EQ(window->loads, 1);
    second->ensureLoaded();  // keeps the process alive
    window->unload();
    EXPECT_EQ(first.current(), nullptr);
    EXPECT_EQ(first->loads, 0);
    first->ensureLoaded();
    EXPECT_EQ(first->loads, 1);
}

TEST_F(WindowRuntimeTest, AnErrorLeavingAHandlerIsShownAndEndsTheProcess) {
    first->showWindow();
    int laterHandlers = 0;
    rt.runtime.handle([] { throw Error("Win32_Bios.Version = x: not a number"); });
    rt.runtime.handle([&] { ++laterHandlers; });
    EXPECT_EQ(rt.messages.texts,
              QStringList{"Run-time error: Win32_Bios.Version = x: not a number"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{gui::WindowRuntime::kUntrappedErrorStatus});
    EXPECT_EQ(laterHandlers, 0);
    first->close();
    EXPECT_EQ(rt.endStatuses.size(), 1u) << "no unload handling after the end";
}

TEST_F(WindowRuntimeTest, ErrorsOfTheStandardLibraryAreCaughtToo) {
    rt.runtime.handle([] { throw std::out_of_range("index 7"); });
    EXPECT_EQ(rt.messages.texts, QStringList{"Run-time error: index 7"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{gui::WindowRuntime::kUntrappedErrorStatus});
}

TEST_F(WindowRuntimeTest, EndStopsEveryLaterHandler) {
    int handlers = 0;
    rt.runtime.end(0);
    rt.runtime.handle([&] { ++handlers; });
    EXPECT_EQ(handlers, 0);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
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

}  // namespace
}  // namespace kestrel::test
