#pragma once

#include <functional>

namespace kestrel::win32 {

// Runs a handler. An error that leaves it is shown in Kestrel's message box as "Run-time
// error: " and the error's text, and the process then ends with exit status 1.
void guardHandler(const std::function<void()>& handler);

}  // namespace kestrel::win32
