#include "recording_window.h"

#include <algorithm>

namespace kestrel::test {

struct RecordingWindow::Control : forms::Label, forms::TextBox, forms::Clickable, forms::Browser {
    Control(RecordingWindow& owner, forms::WindowRuntime& runtime) : window(owner), list(runtime) {}

    void setCaption(const std::string& text) override { captionValue = text; }
    std::string caption() const override { return captionValue; }
    void setText(const std::string& text) override { textValue = text; }
    void onClick(forms::Handler handler) override { clicks.push_back(std::move(handler)); }
    void navigate(const std::string& address) override { window.navigations_.push_back(address); }

    RecordingWindow& window;
    RecordingListBox list;
    std::string captionValue;
    std::string textValue;
    std::vector<forms::Handler> clicks;
};

void RecordingClock::start(int milliseconds) {
    running = true;
    interval = milliseconds;
    ++starts;
}

void RecordingListBox::clear() {
    rows.clear();
    selected_ = -1;
}

void RecordingListBox::setSelectedIndex(int index) {
    if (index == selected_) return;
    if (index >= count()) throw Error("row " + std::to_string(index) + " is past the list");
    selected_ = index;
    ++selectionEvents;
    for (const forms::Handler& handler : handlers_) runtime_.handle(handler);
}

void RecordingListBox::onSelectionChanged(forms::Handler handler) {
    handlers_.push_back(std::move(handler));
}

RecordingWindow::RecordingWindow(std::string name, forms::WindowRuntime& runtime, EventLog& log)
    : LifecycleWindow(runtime), name_(std::move(name)), log_(log) {
    // Registered first, so it is logged before the form's load handler runs.
    onLoad([this] { log_.push_back(name_ + " loaded"); });
}

RecordingWindow::~RecordingWindow() = default;

RecordingWindow::Control& RecordingWindow::control(std::string_view name) {
    auto found = controls_.find(name);
    if (found == controls_.end()) {
        found =
            controls_.emplace(std::string(name), std::make_unique<Control>(*this, runtime())).first;
    }
    return *found->second;
}

forms::Label& RecordingWindow::label(layout::LabelName name) { return control(name); }
forms::TextBox& RecordingWindow::textBox(layout::TextBoxName name) { return control(name); }
forms::Clickable& RecordingWindow::clickable(layout::ClickableName name) { return control(name); }
forms::Browser& RecordingWindow::browser(layout::BrowserName name) { return control(name); }
RecordingListBox& RecordingWindow::list(std::string_view name) { return control(name).list; }
std::string RecordingWindow::caption(std::string_view name) { return control(name).captionValue; }
std::string RecordingWindow::text(std::string_view name) { return control(name).textValue; }

RecordingClock& RecordingWindow::clock(std::string_view name) {
    timer(name);
    return *clocks_.find(name)->second;
}

std::unique_ptr<forms::TimerClock> RecordingWindow::makeClock(std::string_view name,
                                                              forms::Handler tick) {
    auto clock = std::make_unique<RecordingClock>(std::move(tick));
    clocks_.emplace(std::string(name), clock.get());
    return clock;
}

void RecordingWindow::show() {
    load();
    log_.push_back(name_ + " shown");
    drawn();
}

void RecordingWindow::dismiss() {
    unloaded_ = true;
    log_.push_back(name_ + " unloaded");
}

void RecordingWindow::click(std::string_view name) {
    for (const forms::Handler& handler : control(name).clicks) runtime().handle(handler);
}

void RecordingWindow::typeCharacter() { characterTyped(); }

void RecordingClipboard::clear() {
    if (heldElsewhere) throw Error("the clipboard is held by another program");
    log_.push_back("clipboard cleared");
}

void RecordingClipboard::setText(const std::string& text) {
    if (heldElsewhere) throw Error("the clipboard is held by another program");
    log_.push_back("clipboard set to " + text);
}

void RecordingProcessStart::start(const std::string& commandLine, int showCode) {
    if (programMissing) throw Error("cannot start " + commandLine);
    started.push_back(commandLine + " (show " + std::to_string(showCode) + ")");
}

std::string CannedPageReader::readFirstBytes(const std::string& url, std::size_t maxBytes) {
    requests.push_back(url);
    return body.substr(0, std::min(maxBytes, body.size()));
}

}  // namespace kestrel::test
