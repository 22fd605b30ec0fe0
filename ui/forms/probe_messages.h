#pragma once

#include "net/message_sink.h"
#include "platform/gui/message_box.h"

namespace kestrel {

// Shows the connectivity probe's result in Kestrel's message box.
class ProbeMessages : public MessageSink {
  public:
    explicit ProbeMessages(gui::MessageBox& box) : box_(box) {}
    void show(const std::string& text) override { box_.show(QString::fromStdString(text)); }

  private:
    gui::MessageBox& box_;
};

}  // namespace kestrel
