#pragma once

#include <memory>
#include <optional>

#include "ui/forms/frm_splash.h"
#include "ui/qt/kestrel_window.h"

namespace Ui {
class frmSplash;
}

namespace kestrel::gui {

// The scan screen's window: its layout, centred on the screen. Its behaviour is
// forms::FrmSplash's.
class FrmSplashWindow : public KestrelWindow {
    Q_OBJECT

  public:
    // The fixed dialog frame's width in pixels on each side of the client area.
    static constexpr int kDialogFrame = 3;

    FrmSplashWindow(forms::WindowRuntime& runtime, forms::FrmSplash::Scan scan,
                    forms::Handler showMainWindow);
    ~FrmSplashWindow() override;

    forms::FrmSplash& form() { return *form_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::unique_ptr<Ui::frmSplash> ui_;
    std::optional<forms::FrmSplash> form_;
};

}  // namespace kestrel::gui
