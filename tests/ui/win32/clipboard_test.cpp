// The copy to the clipboard, read back through the system's own clipboard.
#include "ui/win32/clipboard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "error_text.h"
#include "inventory/error.h"

namespace kestrel::test {
namespace {

std::wstring clipboardText(UINT format = CF_UNICODETEXT) {
    if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
    std::wstring text;
    if (const HANDLE data = GetClipboardData(format)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void putOtherFormat(UINT format) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memset(GlobalLock(data), 0x7F, 4);
    GlobalUnlock(data);
    SetClipboardData(format, data);
    CloseClipboard();
}

// The clipboard's owner: a window that is never shown.
class Win32Clipboard : public testing::Test {
  protected:
    Win32Clipboard()
        : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr)) {}
    ~Win32Clipboard() override { DestroyWindow(owner_); }

    HWND owner_;
};

TEST_F(Win32Clipboard, CopyLeavesExactlyTheTextInPlaceOfWhatWasThere) {
    const UINT picture = RegisterClipboardFormatW(L"Kestrel test picture");
    putOtherFormat(picture);

    const std::string report =
        "Line one\r\nMa\xC3\x9F und Gr\xC3\xB6\xC3\x9F"
        "e\r\n\r\nend";
    win32::copyToClipboard(owner_, report);
    EXPECT_EQ(clipboardText(), L"Line one\r\nMa\u00DF und Gr\u00F6\u00DFe\r\n\r\nend");
    EXPECT_FALSE(IsClipboardFormatAvailable(picture));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));  // made by the system from the Unicode

    win32::copyToClipboard(owner_, "");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(clipboardText(), L"");
}

TEST_F(Win32Clipboard, ClipboardHeldOpenElsewhereIsAnErrorAndKeepsItsContent) {
    win32::copyToClipboard(owner_, "before");
    std::atomic<bool> holding = false, release = false;
    std::thread holder([&] {
        OpenClipboard(nullptr);
        holding = true;
        while (!release) Sleep(5);
        CloseClipboard();
    });
    while (!holding) Sleep(5);
    EXPECT_EQ(errorOf([&] { win32::copyToClipboard(owner_, "after"); }),
              "cannot open the clipboard: another program holds it");
    release = true;
    holder.join();
    EXPECT_EQ(clipboardText(), L"before");
}

}  // namespace
}  // namespace kestrel::test
