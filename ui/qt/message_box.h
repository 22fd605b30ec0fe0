#pragma once

#include <QString>
#include <memory>

class QMessageBox;

namespace kestrel::gui {

// The caption of the disclaimer, of the main window and of every message box.
inline constexpr const char* kApplicationTitle = "Kestrel - System Memory Information";

// Kestrel's only kind of message box: modal, the OK button only, no icon, the application title
// as caption. Tests replace show() to answer it without a user.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    // Returns once the user has dismissed the box.
    virtual void show(const QString& text);
};

// The box that show() runs, built but not shown.
std::unique_ptr<QMessageBox> createMessageBox(const QString& text);

}  // namespace kestrel::gui
