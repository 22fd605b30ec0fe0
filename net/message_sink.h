#pragma once

#include <string>

namespace kestrel {

// Where the probe shows its result: the application's message box in the GUI.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // text is UTF-8. Returns once the user has dismissed it.
    virtual void show(const std::string& text) = 0;
};

}  // namespace kestrel
