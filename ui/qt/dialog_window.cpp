#include "ui/qt/dialog_window.h"

#include "ui/layout/layout_names.h"
#include "ui/qt/twips.h"
#include "ui/qt/window_fit.h"
#include "ui_dialog.h"

namespace kestrel::gui {
namespace {

// The client area's top-left corner on the screen.
const QPoint kPosition(twips(layout::dialog::kPlace.x), twips(layout::dialog::kPlace.y));

}  // namespace

DialogWindow::DialogWindow(forms::WindowRuntime& windowRuntime, forms::Handler showScanScreen)
    : KestrelWindow(windowRuntime, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::Dialog>()) {
    ui_->setupUi(this);
    new WindowFit(*this, kPosition);
    form_.emplace(*this, windowRuntime, std::move(showScanScreen));
}

DialogWindow::~DialogWindow() = default;

}  // namespace kestrel::gui
