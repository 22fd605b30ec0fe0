#pragma once

namespace kestrel::gui {

// Makes "MS Sans Serif" 8.25 pt the font of every window and maps the Windows font names the
// layouts use onto metric-compatible fonts where those are missing. Call after QApplication
// exists and before any window is created.
void installWindowFonts();

}  // namespace kestrel::gui
