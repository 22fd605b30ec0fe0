#pragma once

#include <string>

namespace kestrel::win32 {

// Starts the command line (UTF-8), its window shown with showCode (SW_SHOWNORMAL = 1: normal and
// activated), and returns without waiting. The line is handed over whole: an unquoted program path
// with blanks is resolved by the system, as a typed command line would be. Throws kestrel::Error
// when nothing could be started.
void startCommandLine(const std::string& commandLine, int showCode);

}  // namespace kestrel::win32
