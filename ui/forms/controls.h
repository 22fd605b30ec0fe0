#pragma once

#include <functional>
#include <string>

// The controls of Kestrel's windows as the forms see them. A window runtime (Qt, Win32)
// implements these over its own widgets; the forms hold the behaviour and never see a toolkit.
//
// Rules every implementation keeps:
// - Texts are UTF-8, byte for byte: what is set is what is read back.
// - Handlers run on the GUI thread, one at a time, each inside WindowRuntime::handle (the error
//   boundary). A handler registered twice runs twice; none is ever unregistered: a control lives
//   exactly as long as its window.
// - A control exists from the moment its window object is created, with its laid-out caption;
//   touching it does not load the window.
namespace kestrel::forms {

// An event handler of a form.
using Handler = std::function<void()>;

// A label (static text).
class Label {
  public:
    virtual ~Label() = default;
    // Shown as plain text: markup, "&" and control characters are not interpreted.
    virtual void setCaption(const std::string& text) = 0;
    // The caption as last set, or as laid out until then.
    virtual std::string caption() const = 0;
};

// A read-only, multi-line text box.
class TextBox {
  public:
    virtual ~TextBox() = default;
    // Line breaks are CR LF. The box shows the text from its first line, caret at the start.
    virtual void setText(const std::string& text) = 0;
};

// A single-selection list box, unsorted.
class ListBox {
  public:
    virtual ~ListBox() = default;
    // Removes every row. Raises no selection-changed event, whatever was selected.
    virtual void clear() = 0;
    // Appends a row; selects nothing.
    virtual void addRow(const std::string& text) = 0;
    virtual int count() const = 0;
    // 0 for the first row, -1 when no row is selected.
    virtual int selectedIndex() const = 0;
    // Selects row index (-1: none; the caller never passes an index past the last row). When
    // that changes the selection, the selection-changed event runs before this returns, exactly
    // as a user's selection would; writing the index already selected raises nothing.
    virtual void setSelectedIndex(int index) = 0;
    // Raised whenever the selection changes: a click, the keyboard, or setSelectedIndex.
    virtual void onSelectionChanged(Handler handler) = 0;
};

// A command button, a picture or a label that reacts to a click.
class Clickable {
  public:
    virtual ~Clickable() = default;
    // Raised by a left-button click released inside the control (and, for a command button,
    // by the keyboard's Space while it has the focus). A press dragged out of it is no click.
    virtual void onClick(Handler handler) = 0;
};

// A timer of a window. It is no control on the screen: the form sets its interval and enables
// it, as the layout's designer would.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual void setEnabled(bool enabled) = 0;
    // Raised every interval (none while it is 0, as it is when the timer is made) while the
    // timer is enabled and its window is loaded, never while a handler runs (a tick that falls
    // due meanwhile may come once the handler has returned). The first tick comes only after
    // the window has first been drawn, so a long handler cannot keep the window off the screen.
    // Unloading the window stops the timer for good.
    virtual void onTick(Handler handler) = 0;
};

// The embedded web browser.
class Browser {
  public:
    virtual ~Browser() = default;
    // Starts loading address and returns at once; the page loads by itself afterwards. The
    // address comes percent-encoded already: send it as it is, except that a blank (which no
    // request line can carry) goes as %20. No event of the browser is handled.
    virtual void navigate(const std::string& address) = 0;
};

}  // namespace kestrel::forms
