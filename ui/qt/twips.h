#pragma once

namespace kestrel::gui {

// Kestrel's layouts are measured in twips: 1/1440 inch, 15 to a pixel at 96 dots per inch. Qt's
// device-independent pixels are those 96-dpi pixels; high-dpi scaling does the rest.
constexpr int twips(int value) { return value / 15; }

}  // namespace kestrel::gui
