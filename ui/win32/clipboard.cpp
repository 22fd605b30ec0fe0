#include "ui/win32/clipboard.h"

#include <cstring>

#include "inventory/error.h"
#include "platform/windows/utf16.h"

namespace kestrel::win32 {
namespace {

// Opened for one copy, closed on every path.
class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) {
        if (!OpenClipboard(owner))
            throw Error("cannot open the clipboard: another program holds it");
    }
    ~OpenClipboardScope() { CloseClipboard(); }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
};

}  // namespace

void clearClipboard(HWND owner) {
    const OpenClipboardScope open(owner);
    if (!EmptyClipboard()) throw Error("cannot empty the clipboard");
}

void copyToClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = windows::toUtf16(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) throw Error("no memory for the clipboard text");
    std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
    GlobalUnlock(memory);

    const OpenClipboardScope open(owner);
    if (!EmptyClipboard()) {
        GlobalFree(memory);
        throw Error("cannot empty the clipboard");
    }
    // On success the clipboard owns the memory.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        throw Error("cannot put the text on the clipboard");
    }
}

}  // namespace kestrel::win32
