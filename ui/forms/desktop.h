#pragma once

#include <string>

#include "net/page_reader.h"
#include "ui/forms/message_box.h"

namespace kestrel::forms {

// The system clipboard.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // Empties the clipboard of every format it holds. Throws kestrel::Error when the clipboard
    // cannot be opened (another program holds it).
    virtual void clear() = 0;
    // Puts text on the clipboard as plain text (UTF-8 in; on Windows CF_UNICODETEXT), byte for
    // byte, CR LF line ends kept. After clear() and setText(t) the clipboard holds exactly t.
    // Throws kestrel::Error when it cannot be written.
    virtual void setText(const std::string& text) = 0;
};

// Starting another program.
class ProcessStart {
  public:
    // The show-window code of a normal, activated window.
    static constexpr int kShowNormal = 1;

    virtual ~ProcessStart() = default;
    // Starts the program that commandLine names and returns without waiting for it. On Windows
    // the line goes to the system whole (an unquoted path with blanks is resolved by the
    // system); elsewhere it is split at blanks into program and arguments. Throws
    // kestrel::Error whenever the program cannot be started.
    virtual void start(const std::string& commandLine, int showCode) = 0;
};

// What the main window's actions use of the desktop, besides the windows.
struct Desktop {
    MessageBox& messages;
    Clipboard& clipboard;
    ProcessStart& processes;
    // The connectivity probe's HTTP client (libcurl on Linux, WinINet on Windows).
    PageReader& pages;
};

}  // namespace kestrel::forms
