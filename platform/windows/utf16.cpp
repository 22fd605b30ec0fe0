#include "platform/windows/utf16.h"

#include <windows.h>

#include <limits>

#include "inventory/error.h"
#include "inventory/text_helpers.h"

namespace kestrel::windows {
namespace {

int checkedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw Error("text of " + std::to_string(size) + " characters is too long to convert");
    }
    return static_cast<int>(size);
}

}  // namespace

std::wstring toUtf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = checkedLength(utf8.size());
    const int needed =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (needed == 0) throw Error(quoteValue(utf8) + " is not valid UTF-8");
    std::wstring result(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, result.data(), needed);
    return result;
}

std::string toUtf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int length = checkedLength(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, result.data(), needed, nullptr, nullptr);
    return result;
}

}  // namespace kestrel::windows
