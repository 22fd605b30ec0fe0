#pragma once

#include <QWidget>

#include "ui/forms/window_runtime.h"

namespace kestrel::gui {

// A top-level window on the window runtime. It is loaded once, when it is first shown or when
// code first needs its controls, and its load handler runs then; show is modeless and returns at
// once; unloading (by code or by the close box) destroys it.
class KestrelWindow : public QWidget {
    Q_OBJECT

  public:
    void ensureLoaded();
    void showWindow();
    void unload();
    bool isLoaded() const { return loaded_; }

  signals:
    // Emitted when the window is unloaded, before it is destroyed.
    void unloaded();

  protected:
    KestrelWindow(WindowRuntime& runtime, Qt::WindowFlags flags);

    WindowRuntime& runtime() const { return runtime_; }

    // The load handler.
    virtual void load() {}

    // Runs handler, inside the runtime's error boundary, each time sender emits signal.
    template <class Sender, class Signal, class Handler>
    void on(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [this, handler] { runtime_.handle(handler); });
    }

    void closeEvent(QCloseEvent* event) override;

  private:
    WindowRuntime& runtime_;
    bool loaded_ = false;
};

}  // namespace kestrel::gui
