#pragma once

#include <memory>
#include <optional>

#include "ui/forms/dialog.h"
#include "ui/qt/kestrel_window.h"

namespace Ui {
class Dialog;
}

namespace kestrel::gui {

// The disclaimer's window: its layout, placed where the layout puts it. Its behaviour is
// forms::Dialog's.
class DialogWindow : public KestrelWindow {
    Q_OBJECT

  public:
    DialogWindow(forms::WindowRuntime& runtime, forms::Handler showScanScreen);
    ~DialogWindow() override;

    forms::Dialog& form() { return *form_; }

  private:
    std::unique_ptr<Ui::Dialog> ui_;
    std::optional<forms::Dialog> form_;
};

}  // namespace kestrel::gui
