#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "ui/forms/screen_sequence.h"
#include "gui_test_support.h"
#include "inventory/error.h"

namespace kestrel::test {
namespace {

class ScreenSequenceTest : public ::testing::Test {
  protected:
    void start(ScreenSequence::Scan scan = std::mem_fn(&Form1::getKestrel)) {
        sequence = std::make_unique<ScreenSequence>(
            rt.runtime, [] { return fixtureService(); },
            [this, scan](Form1& form) {
                ++scans;
                windowsDuringScan = visibleWindows();
                return scan(form);
            });
        sequence->start();
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
    std::unique_ptr<ScreenSequence> sequence;
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
    start([](Form1& form) {
        form.ensureLoaded();
        return InventoryValue("success");
    });
    click("Dialog", "OKButton");
    processEvents(100);
    EXPECT_GE(scans, 2);
    EXPECT_EQ(visibleWindows(), QStringList{"frmSplash"});
    EXPECT_EQ(rt.runtime.loadedWindows(), 2u) << "the scan screen and the hidden main window";
}

TEST_F(ScreenSequenceTest, AScanErrorEndsTheProcessWithTheMainWindowNeverShown) {
    start([](Form1& form) -> InventoryValue {
        form.ensureLoaded();
        throw Error("Win32_PhysicalMemory.capacity = abc: not a number");
    });
    click("Dialog", "OKButton");
    processEvents(100);
    EXPECT_EQ(rt.messages.texts,
              QStringList{"Run-time error: Win32_PhysicalMemory.capacity = abc: not a number"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{gui::WindowRuntime::kUntrappedErrorStatus});
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
