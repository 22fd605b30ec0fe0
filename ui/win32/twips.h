#pragma once

#include <cmath>

namespace kestrel::win32 {

// Layouts are measured in twips: 1/1440 inch, 15 to a pixel at 96 dots per inch. A window's
// pixels are scaled by its monitor's dpi / 96, as a per-monitor aware program must.
inline constexpr int kLayoutDpi = 96;
inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips, int dpi) {
    return static_cast<int>(
        std::lround(static_cast<double>(twips) * dpi / (kTwipsPerPixel * kLayoutDpi)));
}

}  // namespace kestrel::win32
