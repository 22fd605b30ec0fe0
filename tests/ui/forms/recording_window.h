#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "control_name_printing.h"
#include "inventory/error.h"
#include "net/page_reader.h"
#include "ui/forms/desktop.h"
#include "ui/forms/lifecycle_window.h"
#include "ui/forms/window_runtime.h"

// A window runtime without a toolkit: windows and desktop services that record what the forms
// do to them, and raise the forms' events as a user would.
namespace kestrel::test {

// What happened, in order, across every window and service of one test.
using EventLog = std::vector<std::string>;

// Answers every message box at once and keeps its text.
class RecordingMessageBox : public forms::MessageBox {
  public:
    void show(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// A window runtime whose process end is recorded instead of leaving an event loop.
struct RecordingRuntime {
    RecordingMessageBox messages;
    std::vector<int> endStatuses;
    forms::WindowRuntime runtime{messages, [this](int status) { endStatuses.push_back(status); }};
};

class RecordingListBox : public forms::ListBox {
  public:
    explicit RecordingListBox(forms::WindowRuntime& runtime) : runtime_(runtime) {}
    void clear() override;
    void addRow(const std::string& text) override { rows.push_back(text); }
    int count() const override { return static_cast<int>(rows.size()); }
    int selectedIndex() const override { return selected_; }
    void setSelectedIndex(int index) override;
    void onSelectionChanged(forms::Handler handler) override;

    std::vector<std::string> rows;
    // How often the selection-changed handlers ran.
    int selectionEvents = 0;

  private:
    forms::WindowRuntime& runtime_;
    int selected_ = -1;
    std::vector<forms::Handler> handlers_;
};

// A timer's clock that the test drives: tick() is one interval gone by.
class RecordingClock : public forms::TimerClock {
  public:
    explicit RecordingClock(forms::Handler tick) : tick_(std::move(tick)) {}
    void start(int milliseconds) override;
    void stop() override { running = false; }
    // Whether or not the clock runs, as a tick already due may still come after stop().
    void tick() const { tick_(); }

    bool running = false;
    // The interval of the last start, and how many starts there were.
    int interval = 0;
    int starts = 0;

  private:
    forms::Handler tick_;
};

// Shown counts as drawn, as on Win32.
class RecordingWindow : public forms::LifecycleWindow {
  public:
    RecordingWindow(std::string name, forms::WindowRuntime& runtime, EventLog& log);
    ~RecordingWindow() override;

    forms::Label& label(layout::LabelName name) override;
    forms::TextBox& textBox(layout::TextBoxName name) override;
    forms::ListBox& listBox(layout::ListBoxName name) override { return list(name); }
    forms::Clickable& clickable(layout::ClickableName name) override;
    forms::Browser& browser(layout::BrowserName name) override;
    void show() override;
    void setFirstFocus(std::string_view control) override { firstFocus = control; }

    // The user's events, each inside the runtime's error boundary.
    void click(std::string_view control);
    void typeCharacter();
    // One tick of the timer's clock, whether or not it runs: the test is the clock.
    void tick(std::string_view timer) { clock(timer).tick(); }
    void select(std::string_view list, int row) { this->list(list).setSelectedIndex(row); }

    RecordingListBox& list(std::string_view name);
    std::string caption(std::string_view label);
    std::string text(std::string_view textBox);
    RecordingClock& clock(std::string_view timer);
    const std::vector<std::string>& navigations() const { return navigations_; }
    bool wasUnloaded() const { return unloaded_; }

    std::string firstFocus;

  private:
    struct Control;

    Control& control(std::string_view name);
    std::unique_ptr<forms::TimerClock> makeClock(std::string_view name,
                                                 forms::Handler tick) override;
    void dismiss() override;

    std::string name_;
    EventLog& log_;
    bool unloaded_ = false;
    std::map<std::string, std::unique_ptr<Control>, std::less<>> controls_;
    std::map<std::string, RecordingClock*, std::less<>> clocks_;
    std::vector<std::string> navigations_;
};

// A clipboard that logs "clear" and "set <text>", or refuses as one held open elsewhere.
class RecordingClipboard : public forms::Clipboard {
  public:
    explicit RecordingClipboard(EventLog& log) : log_(log) {}
    void clear() override;
    void setText(const std::string& text) override;
    bool heldElsewhere = false;

  private:
    EventLog& log_;
};

// Records each command line, or fails as a missing program would.
class RecordingProcessStart : public forms::ProcessStart {
  public:
    void start(const std::string& commandLine, int showCode) override;
    std::vector<std::string> started;
    bool programMissing = false;
};

// Serves one body for every URL and records what was asked for.
class CannedPageReader : public PageReader {
  public:
    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;
    std::string body;
    std::vector<std::string> requests;
};

// Every desktop service, recording.
struct RecordingDesktop {
    explicit RecordingDesktop(RecordingMessageBox& messages, EventLog& log)
        : clipboard(log), desktop{messages, clipboard, processes, pages} {}
    RecordingClipboard clipboard;
    RecordingProcessStart processes;
    CannedPageReader pages;
    forms::Desktop desktop;
};

}  // namespace kestrel::test
