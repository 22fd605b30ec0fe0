#pragma once

#include "ui/win32/windows_api.h"

#include <string_view>
#include <utility>
#include <vector>

#include "ui/win32/font_cache.h"
#include "ui/win32/layout_table.h"

namespace kestrel::win32 {

// The native controls of one window, made from its generated layout: each control's class and
// styles, caption, visibility and font, placed at its twips rectangle scaled to the window's
// dpi. Frames keep their children, as in the layout, and pass their children's notifications
// on to the window.
class LaidOutWindow {
  public:
    LaidOutWindow(HWND window, const layout::WindowLayout& layout);
    LaidOutWindow(const LaidOutWindow&) = delete;
    LaidOutWindow& operator=(const LaidOutWindow&) = delete;

    const layout::WindowLayout& layout() const { return layout_; }
    // Throws kestrel::Error when the window has no such control.
    HWND control(std::string_view name) const;
    // The layout of one of this window's controls; nullptr for any other window.
    const layout::ControlLayout* layoutOf(HWND control) const;

    // Places and sizes every control and sets its font for dpi, the page area pageShrink pixels
    // shorter than the layout.
    void place(int dpi, int pageShrink = 0);
    // How many pixels shorter the page area may get at dpi; 0 for a window without one.
    int pageSlack(int dpi) const;
    // The shown and enabled controls that take focus, in tab order.
    std::vector<HWND> tabStops() const;

  private:
    const layout::WindowLayout& layout_;
    std::vector<std::pair<const layout::ControlLayout*, HWND>> controls_;
    FontCache fonts_;
};

}  // namespace kestrel::win32
