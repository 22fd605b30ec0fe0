#pragma once

#include "ui/win32/windows_api.h"

#include <string>

namespace kestrel::win32 {

// Empties the clipboard of every format it holds, then puts text (UTF-8) on it as Unicode text;
// Windows offers it in the 8-bit text formats too. owner is the window that owns the clipboard
// afterwards. Throws kestrel::Error when the clipboard cannot be had (another program holds it
// open) or written.
void copyToClipboard(HWND owner, const std::string& text);

// Empties the clipboard of every format it holds. Throws kestrel::Error as copyToClipboard does.
void clearClipboard(HWND owner);

}  // namespace kestrel::win32
