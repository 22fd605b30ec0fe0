#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ui/layout/control_name.h"

namespace kestrel::layout {

// Layout rectangle in twips (1/1440 inch, 15 to a pixel at 96 dpi), relative to the parent's
// top-left corner (the window's client area for top-level controls).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The font a control draws with, inheritance from its parents already resolved.
struct FontSpec {
    std::string_view family;
    double points = 0;
    bool bold = false;
};

struct ControlLayout {
    ControlKind kind;
    std::string_view name;
    std::string_view parent;  // empty: the window's client area
    TwipsRect rect;
    std::string_view caption;
    FontSpec font;
    std::optional<std::uint32_t> textColour;  // 0xRRGGBB; none: the standard text colour
    bool visible = true;
    bool wordWrap = false;
    int tabIndex = -1;         // place in the window's tab order; -1: takes no focus
    std::string_view picture;  // file name of the picture in resources/, or empty
    std::string_view buddy;    // the control this caption names, or empty
};

struct WindowLayout {
    std::string_view name;
    std::string_view title;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    FontSpec font;         // the window's default font
    // In creation order: parents before their children, each caption just before its buddy.
    std::span<const ControlLayout> controls;
};

// Every window's layout, generated at build time from the windows' Designer files.
std::span<const WindowLayout> windowLayouts();

// The layout of the window called name. Throws kestrel::Error when there is none.
const WindowLayout& windowLayout(std::string_view name);

// The control called name in window. Throws kestrel::Error when there is none.
const ControlLayout& controlLayout(const WindowLayout& window, std::string_view name);

}  // namespace kestrel::layout
