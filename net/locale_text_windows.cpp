#include <windows.h>

#include <limits>

#include "inventory/error.h"
#include "inventory/text_helpers.h"
#include "net/locale_text.h"
#include "platform/windows/utf16.h"

namespace kestrel {
namespace {

constexpr std::string_view kCodePagePrefix = "CP";

UINT codePageOf(const std::string& charset) {
    if (charset == "UTF-8") return CP_UTF8;
    const auto codePage =
        charset.starts_with(kCodePagePrefix)
            ? parseInteger(std::string_view(charset).substr(kCodePagePrefix.size()))
            : std::nullopt;
    if (!codePage || *codePage <= 0 || *codePage > std::numeric_limits<UINT>::max() ||
        !IsValidCodePage(static_cast<UINT>(*codePage))) {
        throw Error("no conversion from character set " + charset + " to UTF-8");
    }
    return static_cast<UINT>(*codePage);
}

}  // namespace

// Windows programs read 8-bit text in the system's ANSI code page, not in a C locale.
std::string localeCharset() { return std::string(kCodePagePrefix) + std::to_string(GetACP()); }

std::string toUtf8(std::string_view bytes, const std::string& charset) {
    const UINT codePage = codePageOf(charset);
    if (bytes.empty()) return {};
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw Error("text of " + std::to_string(bytes.size()) + " bytes is too long to convert");
    }
    const int length = static_cast<int>(bytes.size());
    // Without MB_ERR_INVALID_CHARS every byte the code page cannot read becomes U+FFFD.
    std::wstring wide(static_cast<std::size_t>(
                          MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(),
                        static_cast<int>(wide.size()));
    return windows::toUtf8(wide);
}

}  // namespace kestrel
