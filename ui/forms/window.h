#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "ui/forms/controls.h"
#include "ui/layout/control_name.h"

namespace kestrel::forms {

// One top-level window as its form sees it: the controls laid out for it (found by their
// layout names, the constants of layout_names.h: layout::form1::Label21, ...), its life and its
// events.
//
// Life of a window: created (controls exist, nothing shown), loaded (once: it counts as one of
// Kestrel's windows and its load event has run), shown, unloaded (hidden, timers stopped, gone
// for good; a later reference makes a fresh window). The runtime tells WindowRuntime of every
// load and unload (windowLoaded, windowUnloaded), which ends the process with the last one. The
// close box unloads the window through WindowRuntime::handle, with no handler of the form.
// LifecycleWindow keeps that life, and the windows' timers, for every toolkit.
class Window {
  public:
    virtual ~Window() = default;

    // The control of that kind with that layout name. Throws kestrel::Error naming the control
    // when the window has none (a name of another window's layout). The reference stays valid
    // as long as the window object. clickable() finds command buttons and links alike. Timers are
    // not laid out: a window has whatever timer its form asks for, made disabled on the first call
    // with a name.
    virtual Label& label(layout::LabelName name) = 0;
    virtual TextBox& textBox(layout::TextBoxName name) = 0;
    virtual ListBox& listBox(layout::ListBoxName name) = 0;
    virtual Clickable& clickable(layout::ClickableName name) = 0;
    virtual Timer& timer(std::string_view name) = 0;
    virtual Browser& browser(layout::BrowserName name) = 0;

    // Loads the window unless it has been loaded before (an unloaded window stays unloaded):
    // marks it loaded first (so that the load event may touch its controls), tells the runtime,
    // then raises the load event (directly, inside whatever handler caused the load). Does not
    // show it.
    virtual void load() = 0;
    virtual bool isLoaded() const = 0;
    // Loads the window, then shows it modeless, without an owner, and gives it the keyboard
    // (its first-focus control takes the focus). Returns at once.
    virtual void show() = 0;
    // Nothing when the window is not loaded. Otherwise hides it, stops its timers, marks it
    // unloaded and tells the runtime (which may end the process). The window object may be
    // destroyed only after the running handler has returned: unload usually runs inside one of
    // the window's own handlers.
    virtual void unload() = 0;

    // The control that has the keyboard focus when the window is shown.
    virtual void setFirstFocus(std::string_view control) = 0;

    // Raised by load(), once per window.
    void onLoad(Handler handler) { loadHandlers_.push_back(std::move(handler)); }
    // Raised by a key press that types a character (letters, digits, punctuation, space,
    // Enter, Escape, Backspace, Ctrl with a letter), seen by the window before its controls.
    // Shift, Ctrl or Alt alone, arrows and function keys raise nothing.
    void onCharacterKey(Handler handler) { keyHandlers_.push_back(std::move(handler)); }

  protected:
    // For load(): runs the load handlers directly, inside whatever handler caused the load.
    void raiseLoad() const {
        for (const Handler& handler : loadHandlers_) handler();
    }
    // Each runs inside the runtime's error boundary, WindowRuntime::handle.
    const std::vector<Handler>& characterKeyHandlers() const { return keyHandlers_; }

  private:
    std::vector<Handler> loadHandlers_;
    std::vector<Handler> keyHandlers_;
};

}  // namespace kestrel::forms
