#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "gui_test_support.h"
#include "inventory/error.h"
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
    void click(const char* window, const char* button) {
        QTest::mouseClick(visibleWindow(window)->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    static QStringList visibleWindows() {
        QStringList names;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) names << w->objectName();
        }
        return names;
    }
    bool waitFor(const char* window) {
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
    EXPECT_EQ(visibleWindows(), QStringList{"Dialog"});
    click("Dialog", "OKButton");
    ASSERT_TRUE(waitFor("Form1"));
    EXPECT_EQ(windowsDuringScan, QStringList{"frmSplash"}) << "the main window stays hidden";
    processEvents();
    EXPECT_EQ(visibleWindows(), QStringList{"Form1"});
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(rt.runtime.loadedWindows(), 1u);
    EXPECT_TRUE(rt.endStatuses.empty());
    visibleWindow("Form1")->close();
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0}) << "closing the main window ends the process";
}

TEST_F(ScreenSequenceTest, AnotherResultKeepsScanningWithTheMainWindowHidden) {
    start([](forms::Form1& form) {
        form.window().load();
        return InventoryValue("success");
    });
    click("Dialog", "OKButton");
    // The first scan creates the main window, which loads the web plugin: allow for a slow load.
    EXPECT_TRUE(QTest::qWaitFor([this] { return scans >= 2; }));
    EXPECT_EQ(visibleWindows(), QStringList{"frmSplash"});
    EXPECT_EQ(rt.runtime.loadedWindows(), 2u) << "the scan screen and the hidden main window";
}

TEST_F(ScreenSequenceTest, AScanErrorEndsTheProcessWithTheMainWindowNeverShown) {
    start([](forms::Form1& form) -> InventoryValue {
        form.window().load();
        throw Error("Win32_PhysicalMemory.capacity = abc: not a number");
    });
    click("Dialog", "OKButton");
    processEvents(100);
    EXPECT_EQ(rt.messages.texts,
              std::vector<std::string>{
                  "Run-time error: Win32_PhysicalMemory.capacity = abc: not a number"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{forms::WindowRuntime::kUntrappedErrorStatus});
    EXPECT_EQ(scans, 1);
    EXPECT_FALSE(visibleWindow("Form1"));
}

TEST_F(ScreenSequenceTest, CancelEndsWithoutAScanScreenOrAScan) {
    start();
    click("Dialog", "CancelButton");
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
    processEvents(50);
    EXPECT_EQ(scans, 0);
    EXPECT_EQ(visibleWindows(), QStringList{"Dialog"}) << "End unloads nothing";
}

TEST_F(ScreenSequenceTest, AKeyOnTheScanScreenEndsBeforeAnyScan) {
    start();
    click("Dialog", "OKButton");
    QTest::keyClick(visibleWindow("frmSplash"), Qt::Key_Q);
    processEvents(50);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
    EXPECT_EQ(scans, 0);
    EXPECT_EQ(visibleWindows(), QStringList{});
}

}  // namespace
}  // namespace kestrel::test
