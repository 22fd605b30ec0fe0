// clipboard-text.exe: writes the Windows clipboard's Unicode text to stdout as UTF-8, byte for
// byte (CR LF kept). Wine drops the CR when it hands clipboard text to X11, and the text is gone
// with the program that put it there, so tests read it from the Windows side while Kestrel runs.
// Exit status 1 when the clipboard holds no text.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/windows/utf16.h"

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    if (!OpenClipboard(nullptr)) return 1;
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    const bool found = IsClipboardFormatAvailable(CF_UNICODETEXT);
    CloseClipboard();
    if (!found) return 1;
    const std::string utf8 = kestrel::windows::toUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}
