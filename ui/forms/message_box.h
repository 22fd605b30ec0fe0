#pragma once

#include "net/message_sink.h"
#include "ui/layout/layout_names.h"

namespace kestrel::forms {

// The caption of the disclaimer, of the main window and of every message box.
inline constexpr const char* kApplicationTitle = layout::kApplicationTitle;

// Kestrel's only kind of message box. show(text) is modal: the text as plain text (UTF-8), the
// OK button only, no icon, kApplicationTitle as caption; it returns once the user has dismissed
// the box. Timers and clicks that fall due meanwhile may still be delivered; WindowRuntime keeps
// them from running where that matters.
class MessageBox : public MessageSink {};

}  // namespace kestrel::forms
