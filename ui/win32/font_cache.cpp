#include "ui/win32/font_cache.h"

#include <cmath>

#include "inventory/error.h"
#include "platform/windows/utf16.h"

namespace kestrel::win32 {

FontCache::~FontCache() {
    for (const auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FontCache::font(const layout::FontSpec& spec, int dpi) {
    const auto key = std::make_tuple(std::string(spec.family), spec.points, spec.bold, dpi);
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    // A negative height asks for the character height (the em), which is what points measure.
    const int height = -static_cast<int>(std::lround(spec.points * dpi / 72.0));
    const HFONT made =
        CreateFontW(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, windows::toUtf16(spec.family).c_str());
    if (!made) throw Error("cannot create the font " + std::string(spec.family));
    fonts_.emplace(key, made);
    return made;
}

}  // namespace kestrel::win32
