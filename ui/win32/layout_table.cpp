#include <algorithm>
#include <string>

#include "inventory/error.h"
#include "ui/win32/layout_table.h"

namespace kestrel::layout {

const WindowLayout& windowLayout(std::string_view name) {
    const auto windows = windowLayouts();
    const auto found = std::ranges::find(windows, name, &WindowLayout::name);
    if (found == windows.end()) throw Error("no window is laid out as " + std::string(name));
    return *found;
}

const ControlLayout& controlLayout(const WindowLayout& window, std::string_view name) {
    const auto found = std::ranges::find(window.controls, name, &ControlLayout::name);
    if (found == window.controls.end()) {
        throw Error(std::string(window.name) + " has no control " + std::string(name));
    }
    return *found;
}

}  // namespace kestrel::layout
