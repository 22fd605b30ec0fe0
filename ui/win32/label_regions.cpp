#include "ui/win32/label_regions.h"

#include <algorithm>

#include "ui/win32/twips.h"

namespace kestrel::win32 {
namespace {

// The height of one line of the label's text, as a static control lays its lines out.
int lineHeight(HWND label) {
    const HDC dc = GetDC(label);
    if (!dc) return 0;
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    const bool measured = GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return measured ? static_cast<int>(metrics.tmHeight) : 0;
}

RECT pixelRect(const layout::TwipsRect& r, int dpi) {
    const int left = twipsToPixels(r.left, dpi);
    const int top = twipsToPixels(r.top, dpi);
    return {left, top, left + twipsToPixels(r.width, dpi), top + twipsToPixels(r.height, dpi)};
}

}  // namespace

void clipLabel(HWND label, const layout::ControlLayout& c, const layout::ControlLayout* buddy,
               int dpi) {
    const RECT own = pixelRect(c.rect, dpi);
    const int height = own.bottom - own.top;
    int shown = height;
    // A line taller than the label still shows, cut at the label's bottom.
    if (const int line = lineHeight(label); line > 0) shown = std::max(1, height / line) * line;
    const HRGN region = CreateRectRgn(0, 0, own.right - own.left, std::min(height, shown));
    if (!region) return;
    if (buddy) {
        RECT named = pixelRect(buddy->rect, dpi);
        OffsetRect(&named, -own.left, -own.top);
        if (const HRGN covered = CreateRectRgnIndirect(&named)) {
            CombineRgn(region, region, covered, RGN_DIFF);
            DeleteObject(covered);
        }
    }
    // The window owns the region from here on.
    if (!SetWindowRgn(label, region, TRUE)) DeleteObject(region);
}

}  // namespace kestrel::win32
