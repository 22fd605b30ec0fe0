#pragma once

#include <functional>
#include <memory>

#include "ui/qt/kestrel_window.h"

namespace Ui {
class Dialog;
}

namespace kestrel {

// The disclaimer, Kestrel's start-up window. OK hands over to the scan screen; Cancel ends the
// process before anything is read.
class Dialog : public gui::KestrelWindow {
    Q_OBJECT

  public:
    // showScanScreen is OK's first step; the dialog unloads itself after it, so that a window
    // of Kestrel stays loaded throughout.
    Dialog(gui::WindowRuntime& runtime, std::function<void()> showScanScreen);
    ~Dialog() override;

  protected:
    void load() override;

  private:
    std::unique_ptr<Ui::Dialog> ui_;
    std::function<void()> showScanScreen_;
};

}  // namespace kestrel
