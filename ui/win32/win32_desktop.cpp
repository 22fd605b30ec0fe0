#include "ui/win32/win32_desktop.h"

#include "ui/win32/clipboard.h"
#include "ui/win32/form_window.h"
#include "ui/win32/message_box.h"
#include "ui/win32/process_start.h"

namespace kestrel::win32 {

void Win32MessageBox::show(const std::string& text) { showMessage(GetActiveWindow(), text); }

void Win32Clipboard::clear() { clearClipboard(hiddenOwner()); }

void Win32Clipboard::setText(const std::string& text) { copyToClipboard(hiddenOwner(), text); }

void Win32ProcessStart::start(const std::string& commandLine, int showCode) {
    startCommandLine(commandLine, showCode);
}

}  // namespace kestrel::win32
