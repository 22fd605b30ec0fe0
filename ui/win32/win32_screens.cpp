#include "ui/win32/win32_screens.h"

#include "ui/layout/layout_names.h"

namespace kestrel::win32 {

Win32Screens::Win32Screens(forms::WindowRuntime& runtime, forms::Desktop& desktop,
                           forms::Form1::ServiceFactory openService)
    : sequence_(*this),
      main_(
          layout::form1::kWindow, runtime,
          [&desktop, openService = std::move(openService)](forms::Window& window) {
              return std::make_shared<forms::Form1>(window, desktop, openService);
          },
          retired_),
      splash_(
          layout::frm_splash::kWindow, runtime,
          [this](forms::Window& window) {
              return std::make_shared<forms::FrmSplash>(window, sequence_.scanMainWindow(),
                                                        sequence_.showMainWindow());
          },
          retired_),
      dialog_(
          layout::dialog::kWindow, runtime,
          [this, &runtime](forms::Window& window) {
              return std::make_shared<forms::Dialog>(window, runtime, sequence_.showScanScreen());
          },
          retired_) {}

}  // namespace kestrel::win32
