#include "ui/forms/frm_splash.h"

namespace kestrel::forms {

FrmSplash::FrmSplash(Window& window, Scan scan, Handler showMainWindow)
    : window_(window), scan_(std::move(scan)), showMainWindow_(std::move(showMainWindow)) {
    Timer& timer = window_.timer(kTimer);
    timer.setInterval(kTickInterval);
    timer.setEnabled(true);
    timer.onTick([this] { Timer1_Timer(); });
    window_.onCharacterKey([this] { Form_KeyPress(); });
}

void FrmSplash::Timer1_Timer() {
    // Ticks that fall due while a scan runs (for example inside a message box's event loop)
    // must not start a second scan. An error leaves the flag set: nothing may scan after it.
    if (scanning_) return;
    scanning_ = true;
    const InventoryValue result = scan_();
    scanning_ = false;
    if (result == InventoryValue("Success")) {
        window_.unload();
        showMainWindow_();
    }
}

void FrmSplash::Form_KeyPress() { window_.unload(); }

}  // namespace kestrel::forms
