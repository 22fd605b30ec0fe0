#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "inventory/error.h"
#include "ui/forms/lifecycle_window.h"
#include "ui/forms/window_runtime.h"

namespace kestrel::gui {

// A top-level window on the window runtime: the forms' Window over a QWidget built from its
// layout. It is loaded once, when it is first shown or when code first needs it loaded; show is
// modeless and returns at once; unloading (by code or by the close box) destroys it. Controls
// are found by their object names, which are the layout's control names, and each timer is a
// QTimer child named after it.
class KestrelWindow : public QWidget, public forms::LifecycleWindow {
    Q_OBJECT

  public:
    ~KestrelWindow() override;

    // forms::Window
    forms::Label& label(layout::LabelName name) override;
    forms::TextBox& textBox(layout::TextBoxName name) override;
    forms::ListBox& listBox(layout::ListBoxName name) override;
    forms::Clickable& clickable(layout::ClickableName name) override;
    // This window has no browser; the main window's class has one.
    forms::Browser& browser(layout::BrowserName name) override;
    void show() override;
    void setFirstFocus(std::string_view control) override;

  signals:
    // Emitted when the window is unloaded, before it is destroyed.
    void unloaded();

  protected:
    KestrelWindow(forms::WindowRuntime& runtime, Qt::WindowFlags flags);

    // The child widget of that class and name; throws kestrel::Error naming it when missing.
    template <class Widget>
    Widget& child(std::string_view name) const;

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    // forms::LifecycleWindow
    std::unique_ptr<forms::TimerClock> makeClock(std::string_view name,
                                                 forms::Handler tick) override;
    void dismiss() override;

  private:
    // One adapter per control, made on first use.
    std::map<std::string, std::unique_ptr<forms::Label>, std::less<>> labels_;
    std::map<std::string, std::unique_ptr<forms::TextBox>, std::less<>> textBoxes_;
    std::map<std::string, std::unique_ptr<forms::ListBox>, std::less<>> listBoxes_;
    std::map<std::string, std::unique_ptr<forms::Clickable>, std::less<>> clickables_;
};

template <class Widget>
Widget& KestrelWindow::child(std::string_view name) const {
    auto* found = findChild<Widget*>(QString::fromUtf8(name.data(), std::ssize(name)));
    if (!found) {
        throw Error("the window " + objectName().toStdString() + " has no control " +
                    std::string(name));
    }
    return *found;
}

}  // namespace kestrel::gui
