#include <gtest/gtest.h>

#include "fixture_service.h"
#include "recording_window.h"
#include "ui/forms/frm_splash.h"
#include "ui/forms/screen_sequence.h"
#include "ui/layout/layout_names.h"

namespace kestrel::test {
namespace {

// Window slots over recording windows. An unloaded window stays alive, as a toolkit keeps it
// until its handler has returned; the next reference makes a fresh one.
class RecordingSlots : public forms::FormSlots {
  public:
    RecordingSlots(RecordingRuntime& rt, EventLog& log)
        : rt_(rt), log_(log), desktop_(rt.messages, log) {}

    forms::Dialog& dialog() override {
        return get(dialog_, layout::dialog::kWindow, [&](RecordingWindow& window) {
            return std::make_unique<forms::Dialog>(window, rt_.runtime, sequence->showScanScreen());
        });
    }
    forms::FrmSplash& splash() override {
        return get(splash_, layout::frm_splash::kWindow, [&](RecordingWindow& window) {
            return std::make_unique<forms::FrmSplash>(window, sequence->scanMainWindow(),
                                                      sequence->showMainWindow());
        });
    }
    forms::Form1& main() override {
        return get(main_, layout::form1::kWindow, [&](RecordingWindow& window) {
            return std::make_unique<forms::Form1>(window, desktop_.desktop,
                                                  [] { return fixtureService(); });
        });
    }
    RecordingWindow& window(std::string_view name) {
        for (auto& window : windows_)
            if (window.first == name && !window.second->wasUnloaded()) return *window.second;
        throw Error("no window " + std::string(name));
    }

    forms::ScreenSequence* sequence = nullptr;

  private:
    template <class Form, class Make>
    Form& get(std::unique_ptr<Form>& form, std::string_view layoutName, Make make) {
        if (!form || windowUnloaded(form->window())) {
            const std::string name(layoutName);
            windows_.emplace_back(name, std::make_unique<RecordingWindow>(name, rt_.runtime, log_));
            form = make(*windows_.back().second);
        }
        return *form;
    }
    static bool windowUnloaded(forms::Window& window) {
        return static_cast<RecordingWindow&>(window).wasUnloaded();
    }

    RecordingRuntime& rt_;
    EventLog& log_;
    RecordingDesktop desktop_;
    std::vector<std::pair<std::string, std::unique_ptr<RecordingWindow>>> windows_;
    std::unique_ptr<forms::Dialog> dialog_;
    std::unique_ptr<forms::FrmSplash> splash_;
    std::unique_ptr<forms::Form1> main_;
};

class ScreenSequenceTest : public ::testing::Test {
  protected:
    ScreenSequenceTest() { slots.sequence = &sequence; }

    RecordingRuntime rt;
    EventLog log;
    RecordingSlots slots{rt, log};
    forms::ScreenSequence sequence{slots};
};

TEST_F(ScreenSequenceTest, DisclaimerThenScanScreenThenTheFilledMainWindow) {
    sequence.start();
    slots.window(layout::dialog::kWindow).click(layout::dialog::OKButton);
    slots.window(layout::frm_splash::kWindow).tick(forms::FrmSplash::kTimer);
    EXPECT_EQ(log,
              (EventLog{"Dialog loaded", "Dialog shown", "frmSplash loaded", "frmSplash shown",
                        "Dialog unloaded", "Form1 loaded", "frmSplash unloaded", "Form1 shown"}));
    EXPECT_EQ(slots.window(layout::form1::kWindow).caption(layout::form1::Label21),
              "Acme Computers");
    EXPECT_EQ(rt.runtime.loadedWindows(), 1u);
    EXPECT_TRUE(rt.endStatuses.empty());
}

}  // namespace
}  // namespace kestrel::test
