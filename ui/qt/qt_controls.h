#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "ui/forms/controls.h"
#include "ui/forms/window_runtime.h"
#include "ui/forms/window_timer.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTimer;

namespace kestrel::gui {

// Connects a Qt signal to a form's handler, which then runs inside the runtime's error
// boundary. context ends the connection when it is destroyed.
template <class Sender, class Signal>
void connectHandler(forms::WindowRuntime& runtime, Sender* sender, Signal signal, QObject* context,
                    forms::Handler handler) {
    QObject::connect(sender, signal, context,
                     [&runtime, handler = std::move(handler)] { runtime.handle(handler); });
}

class QtLabel final : public forms::Label {
  public:
    explicit QtLabel(QLabel& label) : label_(label) {}
    void setCaption(const std::string& text) override;
    std::string caption() const override;

  private:
    QLabel& label_;
};

class QtTextBox final : public forms::TextBox {
  public:
    explicit QtTextBox(QPlainTextEdit& box) : box_(box) {}
    void setText(const std::string& text) override;

  private:
    QPlainTextEdit& box_;
};

class QtListBox final : public forms::ListBox {
  public:
    QtListBox(QListWidget& list, forms::WindowRuntime& runtime) : list_(list), runtime_(runtime) {}
    void clear() override;
    void addRow(const std::string& text) override;
    int count() const override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    void onSelectionChanged(forms::Handler handler) override;

  private:
    QListWidget& list_;
    forms::WindowRuntime& runtime_;
};

// A button or a ClickableLabel: what binds a handler to its clicked signal.
class QtClickable final : public forms::Clickable {
  public:
    using Bind = std::function<void(forms::Handler)>;
    explicit QtClickable(Bind bind) : bind_(std::move(bind)) {}
    void onClick(forms::Handler handler) override { bind_(std::move(handler)); }

  private:
    Bind bind_;
};

// A window's timer clock: a QTimer, which ticks through the event loop.
class QtClock final : public forms::TimerClock {
  public:
    explicit QtClock(QTimer& timer) : timer_(timer) {}
    void start(int milliseconds) override;
    void stop() override;

  private:
    QTimer& timer_;
};

}  // namespace kestrel::gui
