#pragma once

namespace kestrel::gui {

// The look the layouts were drawn for: the classic Windows style (frame captions on the frame's
// line, sunken lists, raised buttons) and "MS Sans Serif" 8.25 pt in every window, with the
// Windows font names mapped onto metric-compatible fonts where those are missing. Call after
// QApplication exists and before any window is created.
void installWindowLook();

}  // namespace kestrel::gui
