#pragma once

#include <QString>
#include <memory>

#include "ui/forms/message_box.h"

class QMessageBox;

namespace kestrel::gui {

// Kestrel's only kind of message box on Qt: modal, the OK button only, no icon, the
// application title as caption.
class MessageBox : public forms::MessageBox {
  public:
    // Returns once the user has dismissed the box.
    void show(const std::string& text) override;
};

// The box that show() runs, built but not shown.
std::unique_ptr<QMessageBox> createMessageBox(const QString& text);

}  // namespace kestrel::gui
