#pragma once

#include <string>

namespace kestrel::gui {

// Empties the system clipboard of every format it holds, then puts text on it as plain text
// (UTF-8 in, so the report's bytes come out unchanged).
void copyToClipboard(const std::string& text);

}  // namespace kestrel::gui
