#include "ui/forms/screen_sequence.h"

namespace kestrel::forms {

ScreenSequence::ScreenSequence(FormSlots& slots, Scan scan)
    : slots_(slots), scan_(std::move(scan)) {}

void ScreenSequence::start() { slots_.dialog().window().show(); }

Handler ScreenSequence::showScanScreen() {
    return [this] { slots_.splash().window().show(); };
}

FrmSplash::Scan ScreenSequence::scanMainWindow() {
    return [this] { return scan_(slots_.main()); };
}

Handler ScreenSequence::showMainWindow() {
    return [this] { slots_.main().window().show(); };
}

}  // namespace kestrel::forms
