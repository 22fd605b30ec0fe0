#pragma once

#include "ui/win32/windows_api.h"

#include "ui/win32/layout_table.h"

namespace kestrel::win32 {

// Limits what a placed label draws to its whole text lines (a wrapped value shows its first
// line, not the top of the next) and, for a caption, to what lies outside its buddy. Captions
// come just before their buddies in the child order, which puts them above in the z-order too,
// where their background would hide the start of the text they name.
void clipLabel(HWND label, const layout::ControlLayout& c, const layout::ControlLayout* buddy,
               int dpi);

}  // namespace kestrel::win32
