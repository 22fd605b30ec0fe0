#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "ui/win32/laid_out_window.h"
#include "ui/win32/layout_table.h"

namespace kestrel::win32 {

class WebBrowser;

// What a window tells its owner. Each may be left empty.
struct FormEvents {
    std::function<void(std::string_view control)> clicked;           // buttons and links
    std::function<void(std::string_view control)> selectionChanged;  // list boxes
    std::function<void(wchar_t character)> character;  // only keys that type a character
    std::function<void()> timer;
    std::function<void()> destroyed;  // the window is gone (close box, or destroy())
};

// One top-level window of Kestrel: framed and placed as windowFrameOf says, its controls made
// from its layout, created hidden. The window's own handle is destroyed with the object.
class FormWindow {
  public:
    FormWindow(const layout::WindowLayout& layout, FormEvents events);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND handle() const { return window_; }
    const LaidOutWindow& controls() const { return *controls_; }
    // The embedded browser; nullptr when the layout has none.
    WebBrowser* browser() const { return browser_.get(); }

    // Shows the window and gives the first control in tab order the focus.
    void show();
    // Starts (or restarts) the window's one timer; it stops when the window goes.
    void startTimer(unsigned milliseconds);
    // Moves the focus to the next (or previous) control in tab order.
    void tab(bool backwards);
    // Destroys the window now; events.destroyed runs.
    void destroy();

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void placeWindow(int dpi);

    const layout::WindowLayout& layout_;
    FormEvents events_;
    HWND window_ = nullptr;
    std::unique_ptr<LaidOutWindow> controls_;
    HWND browserSite_ = nullptr;
    std::unique_ptr<WebBrowser> browser_;
};

// The FormWindow that window (or the control) belongs to; nullptr for any other window.
FormWindow* formWindowOf(HWND window);

}  // namespace kestrel::win32
