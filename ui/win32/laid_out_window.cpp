#include "ui/win32/laid_out_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "inventory/error.h"
#include "platform/windows/utf16.h"
#include "ui/forms/screen_fit.h"
#include "ui/win32/browser_site_window.h"
#include "ui/win32/label_regions.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/twips.h"

namespace kestrel::win32 {
namespace {

using layout::ControlKind;
using layout::ControlLayout;

struct NativeClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

NativeClass nativeClassOf(const ControlLayout& c) {
    // No caption shows an access-key marker, so '&' is drawn as itself (SS_NOPREFIX).
    const DWORD labelStyle = SS_NOPREFIX | (c.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
    switch (c.kind) {
        case ControlKind::frame:
            return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case ControlKind::label:
            return {L"STATIC", labelStyle, 0};
        case ControlKind::link:
            // SS_NOTIFY: it takes clicks, and the mouse over it asks for its pointer.
            return {L"STATIC",
                    SS_NOTIFY | (c.picture.empty() ? labelStyle : SS_ICON | SS_REALSIZECONTROL), 0};
        case ControlKind::textBox:
            return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::listBox:
            // LBS_NOINTEGRALHEIGHT keeps the laid-out height instead of whole rows.
            return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::browser:
            return {kBrowserSiteClass, WS_TABSTOP | WS_CLIPCHILDREN, 0};
    }
    throw Error("unknown control kind of " + std::string(c.name));
}

int pictureResource(std::string_view picture) {
    if (picture == "banner.ico") return KESTREL_BANNER_ICON;
    throw Error("no resource holds the picture " + std::string(picture));
}

// Frames are system group boxes, which keep their children's notifications to themselves:
// hand them to the window, where the handlers are.
LRESULT CALLBACK forwardToWindow(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return SendMessageW(GetAncestor(frame, GA_ROOT), message, wParam, lParam);
        default:
            return DefSubclassProc(frame, message, wParam, lParam);
    }
}

}  // namespace

LaidOutWindow::LaidOutWindow(HWND window, const layout::WindowLayout& layout) : layout_(layout) {
    registerBrowserSiteClass();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlLayout& c : layout.controls) {
        const NativeClass native = nativeClassOf(c);
        const HWND parent = c.parent.empty() ? window : control(c.parent);
        const std::wstring caption = windows::toUtf16(c.caption);
        const HWND made = CreateWindowExW(
            native.exStyle, native.className, caption.c_str(),
            WS_CHILD | WS_CLIPSIBLINGS | native.style | (c.visible ? WS_VISIBLE : 0), 0, 0, 0, 0,
            parent, nullptr, instance, nullptr);
        if (!made) throw Error("cannot create the control " + std::string(c.name));
        if (c.kind == ControlKind::frame) SetWindowSubclass(made, forwardToWindow, 0, 0);
        if (!c.picture.empty()) {
            // At its natural size: the rectangle is the picture's.
            const HANDLE picture =
                LoadImageW(instance, MAKEINTRESOURCEW(pictureResource(c.picture)), IMAGE_ICON, 0, 0,
                           LR_DEFAULTSIZE | LR_SHARED);
            SendMessageW(made, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
        }
        controls_.emplace_back(&c, made);
    }
}

HWND LaidOutWindow::control(std::string_view name) const {
    const auto found = std::ranges::find_if(
        controls_, [&](const auto& built) { return built.first->name == name; });
    if (found == controls_.end()) {
        throw Error(std::string(layout_.name) + " has no control " + std::string(name));
    }
    return found->second;
}

const layout::ControlLayout* LaidOutWindow::layoutOf(HWND control) const {
    const auto found =
        std::ranges::find_if(controls_, [&](const auto& built) { return built.second == control; });
    return found == controls_.end() ? nullptr : found->first;
}

void LaidOutWindow::place(int dpi, int pageShrink) {
    for (const auto& [c, hwnd] : controls_) {
        const int shrink = std::ranges::count(forms::kPageArea, c->name) ? pageShrink : 0;
        SetWindowPos(hwnd, nullptr, twipsToPixels(c->rect.left, dpi),
                     twipsToPixels(c->rect.top, dpi), twipsToPixels(c->rect.width, dpi),
                     twipsToPixels(c->rect.height, dpi) - shrink, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(c->font, dpi)), TRUE);
        if (c->kind == ControlKind::label) {
            clipLabel(hwnd, *c,
                      c->buddy.empty() ? nullptr : &layout::controlLayout(layout_, c->buddy), dpi);
        }
    }
}

int LaidOutWindow::pageSlack(int dpi) const {
    const auto page = std::ranges::find_if(
        controls_, [](const auto& built) { return built.first->name == forms::kPageArea.back(); });
    if (page == controls_.end()) return 0;
    return std::max(0, twipsToPixels(page->first->rect.height, dpi) -
                           twipsToPixels(forms::kMinimumPageTwips, dpi));
}

std::vector<HWND> LaidOutWindow::tabStops() const {
    std::vector<std::pair<int, HWND>> ordered;
    for (const auto& [c, hwnd] : controls_) {
        if (c->tabIndex >= 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            ordered.emplace_back(c->tabIndex, hwnd);
        }
    }
    std::ranges::sort(ordered);
    std::vector<HWND> stops;
    for (const auto& entry : ordered) stops.push_back(entry.second);
    return stops;
}

}  // namespace kestrel::win32
