#pragma once

#include <string_view>

namespace kestrel::layout {

// What a control is, as far as building it natively goes.
enum class ControlKind {
    frame,    // captioned or captionless border around other controls
    label,    // one caption, no input
    link,     // a label (or picture) that takes clicks and shows the hand pointer
    textBox,  // multi-line, read-only text
    button,   // push button
    listBox,  // single-selection, unsorted rows
    browser,  // the embedded web browser
};

// A control's layout name with its kind, as layout_names.h declares every control: code that
// asks a window for a control of another kind than the layout's does not compile.
template <ControlKind Kind>
struct ControlName {
    std::string_view name;
    constexpr operator std::string_view() const noexcept { return name; }
    constexpr bool operator==(const ControlName&) const = default;
};

using LabelName = ControlName<ControlKind::label>;
using TextBoxName = ControlName<ControlKind::textBox>;
using ListBoxName = ControlName<ControlKind::listBox>;
using BrowserName = ControlName<ControlKind::browser>;

// What takes a click: a command button, or a label or picture made a link.
struct ClickableName {
    constexpr ClickableName(ControlName<ControlKind::button> button) noexcept : name(button.name) {}
    constexpr ClickableName(ControlName<ControlKind::link> link) noexcept : name(link.name) {}
    std::string_view name;
    constexpr operator std::string_view() const noexcept { return name; }
};

}  // namespace kestrel::layout
