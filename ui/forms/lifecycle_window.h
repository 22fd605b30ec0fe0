#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ui/forms/window.h"
#include "ui/forms/window_runtime.h"
#include "ui/forms/window_timer.h"

namespace kestrel::forms {

// A window's life, the same on every toolkit: created, loaded once, unloaded for good; its timers
// run while it is loaded and has been drawn. A toolkit's window derives from it and adds only its
// own part: a clock for each timer, the news that the window has been drawn, and what unloading
// does to the toolkit's window.
class LifecycleWindow : public Window {
  public:
    // Made disabled, with interval 0, on the first call with a name.
    Timer& timer(std::string_view name) final;
    void load() final;
    bool isLoaded() const final { return state_ == State::loaded; }
    void unload() final;

  protected:
    explicit LifecycleWindow(WindowRuntime& runtime) : runtime_(runtime) {}

    WindowRuntime& runtime() const { return runtime_; }

    // The window is on the display. A long handler blocks the GUI thread, so timers wait for
    // the first drawing: the window is seen before their first tick.
    void drawn();
    // The close box: unloads the window inside the error boundary, with no handler of the form.
    void closeRequested();
    // A key that types a character, seen before the window's controls: raises the form's
    // character-key handlers. False when the form has none, so that the key goes on to the
    // control.
    bool characterTyped();

    // The toolkit's clock for the timer called name; it calls tick every interval.
    virtual std::unique_ptr<TimerClock> makeClock(std::string_view name, Handler tick) = 0;
    // Hides the window, has it destroyed once the running handler has returned and tells whoever
    // holds it. Runs once, from unload(): after the timers stopped, before the runtime is told
    // (which may end the process).
    virtual void dismiss() = 0;

  private:
    enum class State { created, loaded, unloaded };

    bool windowRunning() const { return isLoaded() && drawn_; }
    void followTimers();

    WindowRuntime& runtime_;
    State state_ = State::created;
    bool drawn_ = false;
    std::map<std::string, std::unique_ptr<WindowTimer>, std::less<>> timers_;
};

}  // namespace kestrel::forms
