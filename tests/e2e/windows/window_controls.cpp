// window-controls.exe: what a user sees of another program's windows, seen from the Windows
// side, where Wine keeps it (a control's text, a list's selection and the close box are not
// on the X display as such).
//
//   window-controls TITLE             one JSON line per shown top-level window titled TITLE:
//                                     its class, rectangle, client rectangle, scroll bars,
//                                     its screen's work area and close box, and each of its
//                                     controls (class, text, rectangle, shown, a static's icon,
//                                     a list's rows and selection, and the sibling just before
//                                     it in the child order, by which screen readers name it)
//   window-controls TITLE --click T   presses the button captioned T in such a window, shown or
//                                     hidden, as a click would, without waiting for its handler
//
// Exit status 1 when no such window or button is there, 3 when a window did not answer a
// question in time (a busy window: ask again rather than take its silence for an empty text).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/windows/utf16.h"

namespace {

using nlohmann::json;

constexpr UINT kPatience = 5000;  // ms a busy window may take to answer
constexpr int kUnanswered = 3;

// Set once any question went unanswered: what was read is then not what the user sees.
bool unanswered = false;

std::string classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return kestrel::windows::toUtf8(name);
}

json rectangle(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Asks another program's window a question the system carries across (no pointer, or text).
LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kPatience,
                             &answer)) {
        unanswered = true;
    }
    return static_cast<LRESULT>(answer);
}

// Through the window itself: an edit control keeps its text where only it can read it.
std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(ask(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// The caption of a top-level window, as the system keeps it, without asking the window.
std::wstring titleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

// The middle of what the window takes for its close box, found along its caption bar from the
// top right corner, so that a click there is not on the box's edge.
json closeBox(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    const auto isClose = [&](int x, int y) {
        return ask(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
    };
    for (int top = outer.top; top < outer.top + 40; ++top) {
        for (int right = outer.right - 1; right > outer.right - 60; --right) {
            if (!isClose(right, top)) continue;
            int left = right;
            while (isClose(left - 1, top)) --left;
            const int x = (left + right) / 2;
            int bottom = top;
            while (isClose(x, bottom + 1)) ++bottom;
            return {x, (top + bottom) / 2};
        }
    }
    return nullptr;
}

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

json control(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    json c = {{"class", classOf(child)},
              {"text", kestrel::windows::toUtf8(textOf(child))},
              {"rect", rectangle(r)},
              {"shown", IsWindowVisible(child) != FALSE},
              {"previous", nullptr}};
    if (const HWND previous = GetWindow(child, GW_HWNDPREV)) {
        c["previous"] = {{"class", classOf(previous)},
                         {"text", kestrel::windows::toUtf8(textOf(previous))}};
    }
    if (c["class"] == "Static") c["icon"] = ask(child, STM_GETICON) != 0;
    if (c["class"] == "ListBox") {
        POINT client{0, 0};
        ClientToScreen(child, &client);
        c["client"] = {client.x, client.y};
        c["rows"] = ask(child, LB_GETCOUNT);
        c["rowHeight"] = ask(child, LB_GETITEMHEIGHT);
        c["selected"] = ask(child, LB_GETCURSEL);
    }
    return c;
}

std::vector<HWND> windowsTitled(const std::wstring& title) {
    struct Search {
        std::wstring title;
        std::vector<HWND> found;
    } search{title, {}};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            if (IsWindowVisible(window) && titleOf(window) == s->title) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Rectangles in the screen's own pixels, as a screenshot and a click see them, on a scaled
    // screen too: the system scales them down for a program that does not say it scales itself.
    SetProcessDPIAware();
    if (argc != 2 && !(argc == 4 && std::wstring(argv[2]) == L"--click")) return 2;
    const std::vector<HWND> windows = windowsTitled(argv[1]);
    if (argc == 4) {
        for (HWND window : windows) {
            for (HWND child : descendants(window)) {
                if (classOf(child) == "Button" && textOf(child) == argv[3]) {
                    return PostMessageW(child, BM_CLICK, 0, 0) ? 0 : 1;
                }
            }
        }
        return unanswered ? kUnanswered : 1;
    }
    std::string read;
    for (HWND window : windows) {
        RECT r;
        GetWindowRect(window, &r);
        json controls = json::array();
        for (HWND child : descendants(window)) controls.push_back(control(child));
        RECT client;
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        const json found = {{"class", classOf(window)},
                            {"rect", rectangle(r)},
                            {"clientRect", rectangle(client)},
                            {"workArea", rectangle(monitor.rcWork)},
                            {"scrollBars", {(style & WS_HSCROLL) != 0, (style & WS_VSCROLL) != 0}},
                            {"close", closeBox(window)},
                            {"controls", controls}};
        read += found.dump() + "\n";
    }
    if (unanswered) return kUnanswered;
    std::fputs(read.c_str(), stdout);
    return windows.empty() ? 1 : 0;
}
