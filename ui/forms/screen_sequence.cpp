#include "app/screen_sequence.h"

namespace kestrel {

ScreenSequence::ScreenSequence(gui::WindowRuntime& runtime, Form1::ServiceFactory openService,
                               Scan scan)
    : main_([&runtime, openService = std::move(openService)] {
          return std::make_unique<Form1>(runtime, openService);
      }),
      splash_([this, &runtime, scan = std::move(scan)] {
          return std::make_unique<FrmSplash>(
              runtime, [this, scan] { return scan(*main_); }, [this] { main_->showWindow(); });
      }),
      dialog_([this, &runtime] {
          return std::make_unique<Dialog>(runtime, [this] { splash_->showWindow(); });
      }) {}

void ScreenSequence::start() { dialog_->showWindow(); }

}  // namespace kestrel
