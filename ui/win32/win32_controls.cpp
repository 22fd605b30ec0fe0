#include "ui/win32/win32_controls.h"

#include "platform/windows/utf16.h"
#include "ui/win32/form_window.h"
#include "ui/win32/web_browser.h"

namespace kestrel::win32 {

void Win32Label::setCaption(const std::string& text) {
    // The label has SS_NOPREFIX: "&" is drawn as itself.
    SetWindowTextW(label_, windows::toUtf16(text).c_str());
    caption_ = text;
}

void Win32TextBox::setText(const std::string& text) {
    SetWindowTextW(box_, windows::toUtf16(text).c_str());
    SendMessageW(box_, EM_SETSEL, 0, 0);
    SendMessageW(box_, EM_SCROLLCARET, 0, 0);
}

void Win32ListBox::clear() {
    // Emptying a list is no selection by the user: the other lists must not follow it.
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    lastSelected_ = -1;
}

void Win32ListBox::addRow(const std::string& text) {
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(windows::toUtf16(text).c_str()));
}

int Win32ListBox::count() const { return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0)); }

int Win32ListBox::selectedIndex() const {
    const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void Win32ListBox::setSelectedIndex(int index) {
    if (selectedIndex() == index) return;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    raiseIfChanged();
}

void Win32ListBox::onSelectionChanged(forms::Handler handler) {
    handlers_.push_back(std::move(handler));
}

void Win32ListBox::selectionChangedByUser() { raiseIfChanged(); }

void Win32ListBox::raiseIfChanged() {
    const int selected = selectedIndex();
    if (selected == lastSelected_) return;
    lastSelected_ = selected;
    for (const forms::Handler& handler : handlers_) runtime_.handle(handler);
}

void Win32Clickable::clicked() {
    for (const forms::Handler& handler : handlers_) runtime_.handle(handler);
}

void Win32Clock::start(int milliseconds) {
    window_.startTimer(id_, static_cast<unsigned>(milliseconds));
}

void Win32Clock::stop() { window_.stopTimer(id_); }

void Win32Browser::navigate(const std::string& address) {
    // The address comes percent-encoded; a blank, which no request line can carry, goes as %20.
    std::string sent;
    for (char c : address) c == ' ' ? sent += "%20" : sent += c;
    browser_.navigate(sent);
}

}  // namespace kestrel::win32
