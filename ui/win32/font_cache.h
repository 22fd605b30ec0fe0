#pragma once

#include "ui/win32/windows_api.h"

#include <map>
#include <string>
#include <tuple>

#include "ui/win32/layout_table.h"

namespace kestrel::win32 {

// The GDI fonts of one window, one per face, size, weight and dpi, made when first asked for
// and deleted with the cache.
class FontCache {
  public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    HFONT font(const layout::FontSpec& spec, int dpi);

  private:
    std::map<std::tuple<std::string, double, bool, int>, HFONT> fonts_;
};

}  // namespace kestrel::win32
