#pragma once

#include "ui/win32/windows_api.h"

namespace kestrel::win32 {

// OLE on the GUI thread for as long as the object lives: the embedded browser and the
// clipboard need it. Throws kestrel::Error when OLE cannot start.
class OleSession {
  public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

// Delivers the GUI thread's messages until PostQuitMessage; returns the exit code it was given.
// Tab and Shift+Tab move the focus in the window's own tab order; there is no dialog manager, so
// Enter and Escape press no button.
int runMessageLoop();

// Delivers one message as runMessageLoop does.
void deliverMessage(MSG& message);

}  // namespace kestrel::win32
