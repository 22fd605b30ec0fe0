#include "ui/win32/form_window.h"

#include <algorithm>
#include <string>

#include "inventory/error.h"
#include "platform/windows/utf16.h"
#include "ui/forms/screen_fit.h"
#include "ui/win32/accessible_role.h"
#include "ui/win32/browser_site_window.h"
#include "ui/win32/dpi.h"
#include "ui/win32/error_boundary.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/twips.h"
#include "ui/win32/web_browser.h"
#include "ui/win32/window_scroll.h"

namespace kestrel::win32 {
namespace {

constexpr const wchar_t* kFormClass = L"KestrelForm";
constexpr UINT kDestroyLater = WM_APP + 1;

// Nested loops (a message box inside a handler) would otherwise deliver a tick while a
// handler still runs; no tick may start a second scan inside the first.
int handlersRunning = 0;

class HandlerScope {
  public:
    HandlerScope() { ++handlersRunning; }
    ~HandlerScope() { --handlersRunning; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

void registerFormClass(WNDPROC procedure) {
    static const ATOM registered = [&] {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(KESTREL_APP_ICON));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(KESTREL_APP_ICON), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass);
    }();
    if (!registered) throw Error("cannot register the window class");
}

}  // namespace

HWND hiddenOwner() {
    static const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                              nullptr, GetModuleHandleW(nullptr), nullptr);
    return owner;
}

namespace {

HCURSOR handCursor() {
    static const HCURSOR hand = static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(KESTREL_HAND_CURSOR), IMAGE_CURSOR,
                   0, 0, LR_DEFAULTSIZE | LR_SHARED));
    return hand;
}

COLORREF colourRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

FormWindow::FormWindow(const layout::WindowLayout& layout, FormEvents events)
    : layout_(layout), frame_(windowFrameOf(layout.name)), events_(std::move(events)) {
    registerFormClass(procedure);
    window_ =
        CreateWindowExW(frame_.exStyle, kFormClass, windows::toUtf16(layout.title).c_str(),
                        frame_.style, 0, 0, 0, 0, frame_.taskBarButton ? nullptr : hiddenOwner(),
                        nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) throw Error("cannot create the window " + std::string(layout.name));
    if (frame_.dialogRole) announceAsDialog(window_);
    try {
        controls_ = std::make_unique<LaidOutWindow>(window_, layout);
        placeWindow(dpiOf(window_));
        for (const layout::ControlLayout& c : layout.controls) {
            if (c.kind != layout::ControlKind::browser) continue;
            browserSite_ = controls_->control(c.name);
            browser_ = std::make_unique<WebBrowser>(browserSite_);
            setBrowserIn(browserSite_, browser_.get());
        }
    } catch (...) {
        destroy();
        throw;
    }
}

FormWindow::~FormWindow() { destroy(); }

void FormWindow::placeWindow(int dpi, const RECT* suggested) {
    const int width = twipsToPixels(layout_.clientWidth, dpi);
    const int height = twipsToPixels(layout_.clientHeight, dpi);
    const RECT framed = windowRectFor({0, 0, width, height}, frame_.style, frame_.exStyle, dpi);
    const forms::FrameMargins margins{-framed.left, -framed.top, framed.right - width,
                                      framed.bottom - height};
    POINT client{(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
    if (suggested) {
        client = {suggested->left + margins.left, suggested->top + margins.top};
    } else if (frame_.clientTwips) {
        client = {twipsToPixels(frame_.clientTwips->x, dpi),
                  twipsToPixels(frame_.clientTwips->y, dpi)};
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(client, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const forms::WindowFit fit = forms::fitToWorkArea(
        {width, height, {client.x, client.y}, controls_->pageSlack(dpi)}, margins,
        {work.left, work.top, work.right - work.left, work.bottom - work.top},
        scrollBarWidthFor(dpi));
    controls_->place(dpi, fit.pageShrink);
    // Scroll bars lie inside the frame but outside the client area proper.
    const RECT outer =
        windowRectFor({fit.client.left, fit.client.top, fit.client.left + fit.client.width,
                       fit.client.top + fit.client.height},
                      frame_.style, frame_.exStyle, dpi);
    SetWindowPos(window_, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    resetScroll(window_, fit.contentWidth, fit.contentHeight);
}

void FormWindow::show() {
    ShowWindow(window_, SW_SHOW);
    const std::vector<HWND> stops = controls_->tabStops();
    SetFocus(stops.empty() ? window_ : stops.front());
}

void FormWindow::startTimer(unsigned timer, unsigned milliseconds) {
    SetTimer(window_, timer, milliseconds, nullptr);
}

void FormWindow::stopTimer(unsigned timer) {
    if (window_) KillTimer(window_, timer);
}

bool FormWindow::previewCharacter(const MSG& message) {
    if (message.message != WM_CHAR || !events_.character) return false;
    const HandlerScope running;
    return events_.character(static_cast<wchar_t>(message.wParam));
}

void FormWindow::destroyLater() {
    if (window_) PostMessageW(window_, kDestroyLater, 0, 0);
}

void FormWindow::tab(bool backwards) {
    const std::vector<HWND> stops = controls_->tabStops();
    if (stops.empty()) return;
    HWND focus = GetFocus();
    auto at = std::ranges::find_if(
        stops, [&](HWND stop) { return stop == focus || IsChild(stop, focus); });
    std::size_t next = 0;
    if (at != stops.end()) {
        const std::size_t index = static_cast<std::size_t>(at - stops.begin());
        next = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
    }
    SetFocus(stops[next]);
}

void FormWindow::destroy() {
    if (window_) DestroyWindow(window_);
}

FormWindow* formWindowOf(HWND window) {
    const HWND root = GetAncestor(window, GA_ROOT);
    wchar_t className[32] = {};
    if (!root || !GetClassNameW(root, className, 32) ||
        std::wstring_view(className) != kFormClass) {
        return nullptr;
    }
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!form || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    // No error may unwind through the system's code that called us.
    guardHandler([&] { result = form->handle(message, wParam, lParam); });
    return result;
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC: {
            const auto* c =
                controls_ ? controls_->layoutOf(reinterpret_cast<HWND>(lParam)) : nullptr;
            if (!c || !c->textColour) break;
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, colourRef(*c->textColour));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR: {
            const auto* c =
                controls_ ? controls_->layoutOf(reinterpret_cast<HWND>(wParam)) : nullptr;
            if (!c || c->kind != layout::ControlKind::link || !handCursor()) break;
            SetCursor(handCursor());
            return TRUE;
        }
        case WM_COMMAND: {
            const auto* c =
                controls_ ? controls_->layoutOf(reinterpret_cast<HWND>(lParam)) : nullptr;
            if (!c) break;
            const HandlerScope running;
            const WORD code = HIWORD(wParam);
            const bool clickable =
                c->kind == layout::ControlKind::button || c->kind == layout::ControlKind::link;
            if (clickable && code == BN_CLICKED && events_.clicked) events_.clicked(c->name);
            if (c->kind == layout::ControlKind::listBox && code == LBN_SELCHANGE &&
                events_.selectionChanged) {
                events_.selectionChanged(c->name);
            }
            return 0;
        }
        case WM_TIMER:
            if (handlersRunning == 0 && events_.timer) {
                const HandlerScope running;
                events_.timer(static_cast<unsigned>(wParam));
            }
            return 0;
        case kDestroyLater:
            DestroyWindow(window_);
            return 0;
        case WM_CLOSE:
            if (!events_.closeRequested) break;
            {
                const HandlerScope running;
                events_.closeRequested();
            }
            return 0;
        case WM_DPICHANGED:
            // Where the system suggests, on the screen the window has reached, fitted anew.
            placeWindow(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_MOUSEWHEEL:
            if (handleScroll(window_, message, wParam)) return 0;
            break;
        case WM_DESTROY: {
            if (frame_.dialogRole) forgetAnnouncedRole(window_);
            if (browser_) setBrowserIn(browserSite_, nullptr);
            browser_.reset();
            window_ = nullptr;
            if (events_.destroyed) events_.destroyed();
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace kestrel::win32
