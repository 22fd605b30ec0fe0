#pragma once

#include <string>
#include <vector>

#include "net/message_sink.h"

namespace kestrel::test {

// Stands in for the message box: keeps every text it is asked to show.
class MessageRecorder final : public MessageSink {
  public:
    void show(const std::string& text) override { shown.push_back(text); }

    std::vector<std::string> shown;
};

}  // namespace kestrel::test
