#pragma once

#include "ui/forms/window.h"
#include "ui/forms/window_runtime.h"

namespace kestrel::forms {

// The disclaimer, Kestrel's start-up window. OK hands over to the scan screen; Cancel ends the
// process before anything is read. Enter and Escape press neither button.
class Dialog {
  public:
    // showScanScreen is OK's first step; the dialog unloads itself after it, so that a window
    // of Kestrel stays loaded throughout.
    Dialog(Window& window, WindowRuntime& runtime, Handler showScanScreen);

    Window& window() const { return window_; }

  private:
    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();

    Window& window_;
    WindowRuntime& runtime_;
    Handler showScanScreen_;
};

}  // namespace kestrel::forms
