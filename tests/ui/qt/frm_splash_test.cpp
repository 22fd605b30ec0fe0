#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "gui_test_support.h"
#include "ui/forms/frm_splash.h"
#include "ui/layout/layout_names.h"
#include "ui/qt/frm_splash_window.h"
#include "ui/qt/twips.h"

namespace kestrel::test {
namespace {

using gui::twips;

class FrmSplashTest : public ::testing::Test {
  protected:
    // Shows the screen with a scan that returns result.
    void show(InventoryValue scanResult) {
        result = std::move(scanResult);
        splash = new gui::FrmSplashWindow(
            rt.runtime,
            [this] {
                events.push_back("scan");
                return result;
            },
            [this] {
                events.push_back(splash->isLoaded() ? "main shown too early" : "main shown");
            });
        splash->show();
    }

    RecordingRuntime rt;
    InventoryValue result;
    std::vector<std::string> events;
    // Unloading deletes the screen; whatever is left goes with the test.
    QPointer<gui::FrmSplashWindow> splash;
    ~FrmSplashTest() override { delete splash.data(); }
};

TEST_F(FrmSplashTest, LayoutWithoutTitleBarCentredOnTheScreen) {
    show("Success");
    const auto* client = splash->findChild<QWidget*>("clientArea");
    EXPECT_EQ(client->geometry(), QRect(3, 3, twips(3630), twips(1170)));
    EXPECT_EQ(splash->size(), client->size() + QSize(6, 6)) << "a fixed dialog frame around it";
    EXPECT_EQ(splash->geometry().center(), splash->screen()->geometry().center());
    EXPECT_EQ(splash->windowType(), Qt::SplashScreen);
    const auto* label1 = splash->findChild<QLabel*>(qtName(layout::frm_splash::Label1));
    const auto* label2 = splash->findChild<QLabel*>(qtName(layout::frm_splash::Label2));
    EXPECT_EQ(label1->text(), "Kestrel");
    EXPECT_EQ(label1->geometry(), QRect(twips(960), twips(120), twips(1335), twips(495)));
    EXPECT_EQ(label1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label2->text(), "Scanning Please Wait......");

    const QImage drawn = splash->grab().toImage();
    // Drawn now, so its timer runs, at the form's interval.
    EXPECT_EQ(splash->findChild<QTimer*>(qtName(forms::FrmSplash::kTimer))->interval(), 10);
    const QPalette& colours = splash->palette();
    const QPoint bottomRight(drawn.width() - 1, drawn.height() - 1);
    EXPECT_EQ(drawn.pixel(0, 0), colours.color(QPalette::Light).rgb()) << "raised edge";
    EXPECT_EQ(drawn.pixel(bottomRight), colours.color(QPalette::Shadow).rgb()) << "its shadow";
    EXPECT_EQ(drawn.pixel(2, 2), colours.color(QPalette::Window).rgb()) << "the frame's face";
}

TEST_F(FrmSplashTest, SuccessUnloadsTheScreenThenShowsTheMainWindow) {
    show("Success");
    processEvents(100);
    EXPECT_EQ(events, (std::vector<std::string>{"scan", "main shown"}));
    EXPECT_TRUE(splash.isNull()) << "unloaded and destroyed";
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool removes;
};

void PrintTo(const KeyCase& key, std::ostream* out) { *out << key.name; }

class FrmSplashKeyTest : public FrmSplashTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(FrmSplashKeyTest, OnlyKeysThatTypeACharacterRemoveTheScreen) {
    show("Success");
    QTest::keyClick(splash.data(), GetParam().key, GetParam().modifiers);
    EXPECT_EQ(!splash->isLoaded(), GetParam().removes);
    EXPECT_EQ(rt.endStatuses, GetParam().removes ? std::vector<int>{0} : std::vector<int>{});
    EXPECT_TRUE(events.empty()) << "no scan before the first tick";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FrmSplashKeyTest,
    ::testing::Values(KeyCase{"A", Qt::Key_A, Qt::NoModifier, true},
                      KeyCase{"Digit", Qt::Key_5, Qt::NoModifier, true},
                      KeyCase{"Space", Qt::Key_Space, Qt::NoModifier, true},
                      KeyCase{"Enter", Qt::Key_Return, Qt::NoModifier, true},
                      KeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier, true},
                      KeyCase{"Backspace", Qt::Key_Backspace, Qt::NoModifier, true},
                      KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, true},
                      KeyCase{"Shift", Qt::Key_Shift, Qt::ShiftModifier, false},
                      KeyCase{"Ctrl", Qt::Key_Control, Qt::ControlModifier, false},
                      KeyCase{"Left", Qt::Key_Left, Qt::NoModifier, false},
                      KeyCase{"F1", Qt::Key_F1, Qt::NoModifier, false},
                      KeyCase{"F12", Qt::Key_F12, Qt::NoModifier, false}),
    [](const auto& key) { return std::string(key.param.name); });

}  // namespace
}  // namespace kestrel::test
