#include "recording_window.h"

#include <algorithm>

namespace kestrel::test {

struct RecordingWindow::Control : forms::Label,
                                  forms::TextBox,
                                  forms::Clickable,
                                  forms::Timer,
                                  forms::Browser {
    Control(RecordingWindow& owner, forms::WindowRuntime& runtime) : window(owner), list(runtime) {}

    void setCaption(const std::string& text) override { captionValue = text; }
    std::string caption() const override { return captionValue; }
    void setText(const std::string& text) override { textValue = text; }
    void onClick(forms::Handler handler) override { clicks.push_back(std::move(handler)); }
    void setInterval(int milliseconds) override { interval = milliseconds; }
    void setEnabled(bool value) override { enabled = value; }
    void onTick(forms::Handler handler) override { ticks.push_back(std::move(handler)); }
    void navigate(const std::string& address) override { window.navigations_.push_back(address); }

    RecordingWindow& window;
    RecordingListBox list;
    std::string captionValue;
    std::string textValue;
    std::vector<forms::Handler> clicks;
    std::vector<forms::Handler> ticks;
    int interval = 0;
    bool enabled = false;
};

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
    : name_(std::move(name)), runtime_(runtime), log_(log) {}

RecordingWindow::~RecordingWindow() = default;

RecordingWindow::Control& RecordingWindow::control(std::string_view name) {
    auto found = controls_.find(name);
    if (found == controls_.end()) {
        found =
            controls_.emplace(std::string(name), std::make_unique<Control>(*this, runtime_)).first;
    }
    return *found->second;
}

forms::Label& RecordingWindow::label(std::string_view name) { return control(name); }
forms::TextBox& RecordingWindow::textBox(std::string_view name) { return control(name); }
forms::Clickable& RecordingWindow::clickable(std::string_view name) { return control(name); }
forms::Timer& RecordingWindow::timer(std::string_view name) { return control(name); }
forms::Browser& RecordingWindow::browser(std::string_view name) { return control(name); }
RecordingListBox& RecordingWindow::list(std::string_view name) { return control(name).list; }
std::string RecordingWindow::caption(std::string_view name) { return control(name).captionValue; }
std::string RecordingWindow::text(std::string_view name) { return control(name).textValue; }

bool RecordingWindow::timerRunning(std::string_view name) {
    return loaded_ && control(name).enabled && control(name).interval > 0;
}

void RecordingWindow::load() {
    if (loaded_) return;
    loaded_ = true;
    runtime_.windowLoaded(this);
    log_.push_back(name_ + " loaded");
    raiseLoad();
}

void RecordingWindow::show() {
    load();
    log_.push_back(name_ + " shown");
}

void RecordingWindow::unload() {
    if (!loaded_) return;
    loaded_ = false;
    unloaded_ = true;
    log_.push_back(name_ + " unloaded");
    runtime_.windowUnloaded(this);
}

void RecordingWindow::click(std::string_view name) {
    for (const forms::Handler& handler : control(name).clicks) runtime_.handle(handler);
}

void RecordingWindow::typeCharacter() {
    for (const forms::Handler& handler : characterKeyHandlers()) runtime_.handle(handler);
}

void RecordingWindow::tick(std::string_view name) {
    if (!timerRunning(name)) return;
    for (const forms::Handler& handler : control(name).ticks) runtime_.handle(handler);
}

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
