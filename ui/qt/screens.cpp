#include "ui/qt/screens.h"

namespace kestrel::gui {

Screens::Screens(forms::WindowRuntime& runtime, forms::Desktop& desktop,
                 forms::Form1::ServiceFactory openService, forms::ScreenSequence::Scan scan)
    : sequence_(*this, std::move(scan)),
      main_([&runtime, &desktop, openService = std::move(openService)] {
          return std::make_unique<Form1Window>(runtime, desktop, openService);
      }),
      splash_([this, &runtime] {
          return std::make_unique<FrmSplashWindow>(runtime, sequence_.scanMainWindow(),
                                                   sequence_.showMainWindow());
      }),
      dialog_([this, &runtime] {
          return std::make_unique<DialogWindow>(runtime, sequence_.showScanScreen());
      }) {}

}  // namespace kestrel::gui
