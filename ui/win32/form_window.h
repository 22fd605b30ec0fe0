#pragma once

#include "ui/win32/windows_api.h"

#include <functional>
#include <memory>
#include <string_view>

#include "ui/win32/laid_out_window.h"
#include "ui/win32/layout_table.h"
#include "ui/win32/window_frames.h"

namespace kestrel::win32 {

class WebBrowser;

// What a window tells its owner. Each may be left empty.
struct FormEvents {
    std::function<void(std::string_view control)> clicked;           // buttons and links
    std::function<void(std::string_view control)> selectionChanged;  // list boxes
    // Only keys that type a character, seen by the window before its controls; returns whether
    // it took the key (else the control gets it).
    std::function<bool(wchar_t character)> character;
    std::function<void(unsigned timer)> timer;
    // The close box; when left empty, the window is destroyed.
    std::function<void()> closeRequested;
    std::function<void()> destroyed;  // the window is gone
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
    // Starts (or restarts) one of the window's timers; they stop when the window goes.
    void startTimer(unsigned timer, unsigned milliseconds);
    void stopTimer(unsigned timer);
    // Hands a character key meant for any of the window's controls to events.character first;
    // true when it was taken.
    bool previewCharacter(const MSG& message);
    // Moves the focus to the next (or previous) control in tab order.
    void tab(bool backwards);
    // Destroys the window now; events.destroyed runs.
    void destroy();
    // Destroys the window once the messages before this call have been handled: for a window
    // unloaded by one of its own handlers.
    void destroyLater();

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Sizes and places the window and its controls for dpi on its screen's work area, at the
    // layout's place or, when the dpi changed, at the place the system suggests.
    void placeWindow(int dpi, const RECT* suggested = nullptr);

    const layout::WindowLayout& layout_;
    const WindowFrame frame_;
    FormEvents events_;
    HWND window_ = nullptr;
    std::unique_ptr<LaidOutWindow> controls_;
    HWND browserSite_ = nullptr;
    std::unique_ptr<WebBrowser> browser_;
};

// Kestrel's hidden top-level window, never shown: the owner of the windows without a task-bar
// button, and of the clipboard's contents.
HWND hiddenOwner();

// The FormWindow that window (or the control) belongs to; nullptr for any other window.
FormWindow* formWindowOf(HWND window);

}  // namespace kestrel::win32
