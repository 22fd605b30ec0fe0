#pragma once

#include "ui/win32/windows_api.h"

#include <string>
#include <vector>

#include "ui/forms/controls.h"
#include "ui/forms/window_runtime.h"
#include "ui/forms/window_timer.h"

namespace kestrel::win32 {

class FormWindow;
class WebBrowser;

// The forms' controls over native controls. Handlers run inside the runtime's error boundary.

class Win32Label final : public forms::Label {
  public:
    explicit Win32Label(HWND label) : label_(label) {}
    void setCaption(const std::string& text) override;
    std::string caption() const override { return caption_; }

  private:
    HWND label_;
    std::string caption_;
};

class Win32TextBox final : public forms::TextBox {
  public:
    explicit Win32TextBox(HWND box) : box_(box) {}
    void setText(const std::string& text) override;

  private:
    HWND box_;
};

// A list box. The system reports only the user's selections (LBN_SELCHANGE, also for a click
// on the row already selected); selectionChangedByUser() turns those into the forms' event,
// and setSelectedIndex raises it itself.
class Win32ListBox final : public forms::ListBox {
  public:
    Win32ListBox(HWND list, forms::WindowRuntime& runtime) : list_(list), runtime_(runtime) {}
    void clear() override;
    void addRow(const std::string& text) override;
    int count() const override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    void onSelectionChanged(forms::Handler handler) override;

    void selectionChangedByUser();

  private:
    void raiseIfChanged();

    HWND list_;
    forms::WindowRuntime& runtime_;
    int lastSelected_ = -1;
    std::vector<forms::Handler> handlers_;
};

// A button or a link.
class Win32Clickable final : public forms::Clickable {
  public:
    explicit Win32Clickable(forms::WindowRuntime& runtime) : runtime_(runtime) {}
    void onClick(forms::Handler handler) override { handlers_.push_back(std::move(handler)); }
    void clicked();

  private:
    forms::WindowRuntime& runtime_;
    std::vector<forms::Handler> handlers_;
};

// A window's timer clock: a timer of its native window, which posts WM_TIMER with its number.
class Win32Clock final : public forms::TimerClock {
  public:
    Win32Clock(FormWindow& window, unsigned id) : window_(window), id_(id) {}
    void start(int milliseconds) override;
    void stop() override;

  private:
    FormWindow& window_;
    unsigned id_;
};

class Win32Browser final : public forms::Browser {
  public:
    explicit Win32Browser(WebBrowser& browser) : browser_(browser) {}
    void navigate(const std::string& address) override;

  private:
    WebBrowser& browser_;
};

}  // namespace kestrel::win32
