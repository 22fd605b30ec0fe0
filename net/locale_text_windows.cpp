#include <windows.h>

#include <string>

#include "inventory/error.h"
#include "net/locale_text.h"

namespace kestrel {
namespace {

constexpr std::string_view kCodePagePrefix = "CP";

}  // namespace

std::string localeCharset() { return std::string(kCodePagePrefix) + std::to_string(GetACP()); }

std::string toUtf8(std::string_view bytes, const std::string& charset) {
    if (!charset.starts_with(kCodePagePrefix)) throw Error("unknown character set " + charset);
    const auto codePage = static_cast<UINT>(std::stoul(charset.substr(kCodePagePrefix.size())));
    if (bytes.empty()) return {};
    // Bytes the code page cannot read become U+FFFD (no MB_ERR_INVALID_CHARS).
    const int inLength = static_cast<int>(bytes.size());
    const int wide = MultiByteToWideChar(codePage, 0, bytes.data(), inLength, nullptr, 0);
    if (wide == 0) throw Error("no conversion from character set " + charset + " to UTF-8");
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), inLength, text.data(), wide);
    const int utf8 =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(utf8), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, out.data(), utf8, nullptr, nullptr);
    return out;
}

}  // namespace kestrel
