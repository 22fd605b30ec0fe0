#pragma once

#include "ui/win32/windows_api.h"

namespace kestrel::win32 {

// Screen readers take a window of a class of its own for a plain window; these tell them, through
// the system's annotation service, that window is a dialog. COM must be initialised on the
// thread. Where the service is missing, the window keeps its plain role.
void announceAsDialog(HWND window);
// Drops the annotation again: it outlives the window otherwise. Before the window is destroyed.
void forgetAnnouncedRole(HWND window);

}  // namespace kestrel::win32
