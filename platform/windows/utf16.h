#pragma once

#include <string>
#include <string_view>

namespace kestrel::windows {

// Kestrel's text is UTF-8; COM's is UTF-16.
std::wstring toUtf16(std::string_view utf8);
// A lone surrogate in firmware text becomes U+FFFD rather than failing the scan.
std::string toUtf8(std::wstring_view utf16);

}  // namespace kestrel::windows
