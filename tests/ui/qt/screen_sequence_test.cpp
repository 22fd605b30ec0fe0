#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "gui_test_support.h"
#include "inventory/error.h"
#include "ui/layout/layout_names.h"
#include "ui/qt/screens.h"

namespace kestrel::test {
namespace {

class ScreenSequenceTest : public ::testing::Test {
  protected:
    void start(const forms::ScreenSequence::Scan& scan = std::mem_fn(&forms::Form1::getKestrel)) {
        screens = std::make_unique<gui::Screens>(
            rt.runtime, desktop.desktop, [] { return fixtureService(); },
            [this, scan](forms::Form1& form) {
                ++scans;
                windowsDuringScan = visibleWindows();
                return scan(form);
            });
        screens->start();
    }
    void click(std::string_view window, std::string_view button) {
        QTest::mouseClick(visibleWindow(window)->findChild<QPushButton*>(qtName(button)),
                          Qt::LeftButton);
    }
    static QStringList visibleWindows() {
        QStringList names;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) names << w->objectName();
        }
        return names;
    }
    bool waitFor(std::string_view window) {
        for (int i = 0; i < 1000 && !visibleWindow(window); ++i) processEvents(10);
        return visibleWindow(window);
    }

    RecordingRuntime rt;
    int scans = 0;
    QStringList windowsDuringScan;
    QtDesktop desktop{rt.messages};
    std::unique_ptr<gui::Screens> screens;
};

TEST_F(ScreenSequenceTest, DisclaimerThenScanScreenThenMainWindow) {
    start();
    EXPECT_EQ(visibleWindows(), QStringList{qtName(layout::dialog::kWindow)});
    click(layout::dialog::kWindow, layout::dialog::OKButton);
    ASSERT_TRUE(waitFor(layout::form1::kWindow));
    EXPECT_EQ(windowsDuringScan, QStringList{qtName(layout::frm_splash::kWindow)})
        << "the main window stays hidden";
    processEvents();
    EXPECT_EQ(visibleWindows(), QStringList{qtName(layout::form1::kWindow)});
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(rt.runtime.loadedWindows(), 1u);
    EXPECT_TRUE(rt.endStatuses.empty());
    visibleWindow(layout::form1::kWindow)->close();
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0}) << "closing the main window ends the process";
}

TEST_F(ScreenSequenceTest, AnotherResultKeepsScanningWithTheMainWindowHidden) {
    start([](forms::Form1& form) {
        form.window().load();
        return InventoryValue("success");
    });
    click(layout::dialog::kWindow, layout::dialog::OKButton);
    // The first scan creates the main window, which loads the web plugin: allow for a slow load.
    EXPECT_TRUE(QTest::qWaitFor([this] { return scans >= 2; }));
    EXPECT_EQ(visibleWindows(), QStringList{qtName(layout::frm_splash::kWindow)});
    EXPECT_EQ(rt.runtime.loadedWindows(), 2u) << "the scan screen and the hidden main window";
}

TEST_F(ScreenSequenceTest, AScanErrorEndsTheProcessWithTheMainWindowNeverShown) {
    start([](forms::Form1& form) -> InventoryValue {
        form.window().load();
        throw Error("Win32_PhysicalMemory.capacity = abc: not a number");
    });
    click(layout::dialog::kWindow, layout::dialog::OKButton);
    processEvents(100);
    EXPECT_EQ(rt.messages.texts,
              std::vector<std::string>{
                  "Run-time error: Win32_PhysicalMemory.capacity = abc: not a number"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{forms::WindowRuntime::kUntrappedErrorStatus});
    EXPECT_EQ(scans, 1);
    EXPECT_FALSE(visibleWindow(layout::form1::kWindow));
}

TEST_F(ScreenSequenceTest, CancelEndsWithoutAScanScreenOrAScan) {
    start();
    click(layout::dialog::kWindow, layout::dialog::CancelButton);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
    processEvents(50);
    EXPECT_EQ(scans, 0);
    EXPECT_EQ(visibleWindows(), QStringList{qtName(layout::dialog::kWindow)})
        << "End unloads nothing";
}

TEST_F(ScreenSequenceTest, AKeyOnTheScanScreenEndsBeforeAnyScan) {
    start();
    click(layout::dialog::kWindow, layout::dialog::OKButton);
    QTest::keyClick(visibleWindow(layout::frm_splash::kWindow), Qt::Key_Q);
    processEvents(50);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
    EXPECT_EQ(scans, 0);
    EXPECT_EQ(visibleWindows(), QStringList{});
}

}  // namespace
}  // namespace kestrel::test
