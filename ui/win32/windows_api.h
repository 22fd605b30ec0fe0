#pragma once

// <windows.h> without its MessageBox macro, which would otherwise rename forms::MessageBox in
// every file that sees both. Win32's own function is called by its full name, MessageBoxW.
#include <windows.h>
#undef MessageBox
