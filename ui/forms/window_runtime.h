#pragma once

#include <exception>
#include <functional>
#include <set>
#include <string>

#include "ui/forms/message_box.h"

namespace kestrel::forms {

class Window;

// What Kestrel's windows rely on beyond the toolkit itself: the set of loaded windows, the end
// of the process when none is left, and the error boundary around every event handler. One per
// process; every toolkit's windows report to it.
//
// The toolkit's own last-window-closed rule is not used: a loaded window keeps the process alive
// even while it is hidden, as the main window is during the scan.
class WindowRuntime {
  public:
    // Exit status of a process ended by an error that no handler trapped.
    static constexpr int kUntrappedErrorStatus = 1;

    using EndProcess = std::function<void(int status)>;

    // endProcess leaves the event loop with the given status (the application's exit; tests
    // record it instead). It must return: the running handler unwinds normally.
    WindowRuntime(MessageBox& messages, EndProcess endProcess);

    void windowLoaded(const Window* window);
    // Ends the process with status 0 when this was the last loaded window.
    void windowUnloaded(const Window* window);
    std::size_t loadedWindows() const { return loaded_.size(); }

    // Ends the process at once: no handler runs after this, no window gets unloaded.
    void end(int status);
    bool hasEnded() const { return ended_; }

    // Runs one event handler. An error leaving it is shown in a message box that names it, and
    // the process then ends with kUntrappedErrorStatus. Nothing runs once the process ends.
    // Handlers may nest (a list's handler raising another's).
    template <class Handler>
    void handle(Handler&& handler) {
        if (ended_) return;
        try {
            handler();
        } catch (const std::exception& e) {
            untrapped(e.what());
        } catch (...) {
            untrapped("unknown error");
        }
    }

    MessageBox& messages() const { return messages_; }

  private:
    void untrapped(const std::string& what);

    MessageBox& messages_;
    EndProcess endProcess_;
    std::set<const Window*> loaded_;
    bool ended_ = false;
};

}  // namespace kestrel::forms
