#pragma once

#include <functional>
#include <memory>

#include "inventory/inventory_value.h"
#include "ui/qt/kestrel_window.h"

class QTimer;

namespace Ui {
class frmSplash;
}

namespace kestrel {

// The "Scanning Please Wait......" screen. Its timer runs the scan; on "Success" the screen
// unloads itself and the main window is shown. A key that types a character removes it.
class FrmSplash : public gui::KestrelWindow {
    Q_OBJECT

  public:
    // The timer's interval in milliseconds.
    static constexpr int kTickInterval = 10;

    using Scan = std::function<InventoryValue()>;

    FrmSplash(gui::WindowRuntime& runtime, Scan scan, std::function<void()> showMainWindow);
    ~FrmSplash() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void tick();

    std::unique_ptr<Ui::frmSplash> ui_;
    Scan scan_;
    std::function<void()> showMainWindow_;
    QTimer* timer_;
    bool scanning_ = false;
};

}  // namespace kestrel
