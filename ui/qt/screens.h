#pragma once

#include "ui/forms/screen_sequence.h"
#include "ui/qt/dialog_window.h"
#include "ui/qt/form1_window.h"
#include "ui/qt/frm_splash_window.h"
#include "ui/qt/window_slot.h"

namespace kestrel::gui {

// The three window slots on Qt and the screen sequence that runs over them.
class Screens final : public forms::FormSlots {
  public:
    Screens(forms::WindowRuntime& runtime, forms::Desktop& desktop,
            forms::Form1::ServiceFactory openService,
            forms::ScreenSequence::Scan scan = std::mem_fn(&forms::Form1::getKestrel));

    // Loads and shows the disclaimer, the start-up window.
    void start() { sequence_.start(); }

    forms::Dialog& dialog() override { return dialog_->form(); }
    forms::FrmSplash& splash() override { return splash_->form(); }
    forms::Form1& main() override { return main_->form(); }

  private:
    forms::ScreenSequence sequence_;
    WindowSlot<Form1Window> main_;
    WindowSlot<FrmSplashWindow> splash_;
    WindowSlot<DialogWindow> dialog_;
};

}  // namespace kestrel::gui
