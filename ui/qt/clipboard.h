#pragma once

#include <string>

#include "ui/forms/desktop.h"

namespace kestrel::gui {

// The system clipboard through Qt. Text goes on it as plain text, UTF-8 in, so the report's
// bytes come out unchanged.
class Clipboard final : public forms::Clipboard {
  public:
    void clear() override;
    void setText(const std::string& text) override;
};

}  // namespace kestrel::gui
