#include <gtest/gtest.h>

#include "recording_window.h"
#include "ui/forms/dialog.h"
#include "ui/layout/layout_names.h"

namespace kestrel::test {
namespace {

class DialogTest : public ::testing::Test {
  protected:
    DialogTest() { window.show(); }

    RecordingRuntime rt;
    EventLog log;
    RecordingWindow window{std::string(layout::dialog::kWindow), rt.runtime, log};
    forms::Dialog dialog{
        window, rt.runtime, [this] {
            log.push_back(window.isLoaded() ? "scan screen shown" : "scan screen shown too late");
        }};
};

TEST_F(DialogTest, LoadComposesTheFourParagraphsWithCrLfBetween) {
    const std::string text = window.text(layout::dialog::Text1);
    EXPECT_EQ(text.size(), 920u);
    EXPECT_EQ(text.substr(0, 67),
              "Please read the following carefully before using the scan tool.\r\n\r\n");
    EXPECT_TRUE(text.ends_with("help you find the compatible memory."));
    EXPECT_EQ(window.firstFocus, layout::dialog::Text1.name);
}

TEST_F(DialogTest, OkShowsTheScanScreenBeforeTheDialogGoes) {
    window.click(layout::dialog::OKButton);
    EXPECT_EQ(log,
              (EventLog{"Dialog loaded", "Dialog shown", "scan screen shown", "Dialog unloaded"}));
}

TEST_F(DialogTest, CancelEndsAtOnceWithoutUnloading) {
    window.click(layout::dialog::CancelButton);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
    EXPECT_TRUE(window.isLoaded());
    EXPECT_EQ(log, (EventLog{"Dialog loaded", "Dialog shown"}));
}

}  // namespace
}  // namespace kestrel::test
