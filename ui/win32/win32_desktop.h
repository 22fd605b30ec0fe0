#pragma once

#include <string>

#include "ui/forms/desktop.h"
#include "ui/forms/message_box.h"

namespace kestrel::win32 {

// The forms' desktop services on Win32.

class Win32MessageBox final : public forms::MessageBox {
  public:
    // Modal to the active window of Kestrel, if any.
    void show(const std::string& text) override;
};

// The clipboard's contents belong to Kestrel's hidden window, which lives as long as the
// process.
class Win32Clipboard final : public forms::Clipboard {
  public:
    void clear() override;
    void setText(const std::string& text) override;
};

class Win32ProcessStart final : public forms::ProcessStart {
  public:
    void start(const std::string& commandLine, int showCode) override;
};

}  // namespace kestrel::win32
