#pragma once

#include <string>

namespace kestrel::win32 {

// Starts the command line (UTF-8) in a normal, activated window (show code 1) and returns
// without waiting. The line is handed over whole: an unquoted program path with blanks is
// resolved by the system, as a typed command line would be. Throws kestrel::Error when nothing
// could be started.
void startCommandLine(const std::string& commandLine);

}  // namespace kestrel::win32
