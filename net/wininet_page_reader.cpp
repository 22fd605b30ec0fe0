#include "net/wininet_page_reader.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "inventory/error.h"
#include "inventory/text_helpers.h"

namespace kestrel {
namespace {

constexpr DWORD kOpenDirect = 1;           // INTERNET_OPEN_TYPE_DIRECT: no proxy
constexpr DWORD kReloadFlag = 0x80000000;  // INTERNET_FLAG_RELOAD: never from the cache

using InternetOpenFn = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using InternetOpenUrlFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
using InternetReadFileFn = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
using InternetCloseHandleFn = BOOL(WINAPI*)(HINTERNET);
using InternetSetOptionFn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);
using InternetSetStatusCallbackFn = INTERNET_STATUS_CALLBACK(WINAPI*)(HINTERNET,
                                                                      INTERNET_STATUS_CALLBACK);
using InternetQueryDataAvailableFn = BOOL(WINAPI*)(HINTERNET, LPDWORD, DWORD, DWORD_PTR);
using HttpQueryInfoFn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);
using InternetCombineUrlFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPSTR, LPDWORD, DWORD);

template <class Function>
Function entryPoint(HMODULE library, const char* name) {
    const FARPROC found = GetProcAddress(library, name);
    if (!found) throw Error(std::string("wininet.dll has no entry point ") + name);
    // Through the generic function pointer type, which the compiler accepts any cast from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

struct WinInet {
    WinInet() : library(LoadLibraryW(L"wininet.dll")) {
        if (!library) throw Error("cannot load wininet.dll");
        open = entryPoint<InternetOpenFn>(library, "InternetOpenA");
        openUrl = entryPoint<InternetOpenUrlFn>(library, "InternetOpenUrlA");
        readFile = entryPoint<InternetReadFileFn>(library, "InternetReadFile");
        closeHandle = entryPoint<InternetCloseHandleFn>(library, "InternetCloseHandle");
        setOption = entryPoint<InternetSetOptionFn>(library, "InternetSetOptionA");
        setStatusCallback =
            entryPoint<InternetSetStatusCallbackFn>(library, "InternetSetStatusCallbackA");
        queryDataAvailable =
            entryPoint<InternetQueryDataAvailableFn>(library, "InternetQueryDataAvailable");
        queryInfo = entryPoint<HttpQueryInfoFn>(library, "HttpQueryInfoA");
        combineUrl = entryPoint<InternetCombineUrlFn>(library, "InternetCombineUrlA");
    }

    HMODULE library;  // stays loaded for the life of the process
    InternetOpenFn open;
    InternetOpenUrlFn openUrl;
    InternetReadFileFn readFile;
    InternetCloseHandleFn closeHandle;
    InternetSetOptionFn setOption;
    InternetSetStatusCallbackFn setStatusCallback;
    InternetQueryDataAvailableFn queryDataAvailable;
    HttpQueryInfoFn queryInfo;
    InternetCombineUrlFn combineUrl;
};

// Bound on first use; a failed binding throws and is tried again on the next use.
const WinInet& winInet() {
    static const WinInet bound;
    return bound;
}

using Clock = std::chrono::steady_clock;

void setMilliseconds(const WinInet& api, HINTERNET handle, DWORD option, Clock::duration wait) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(wait).count();
    DWORD value = static_cast<DWORD>(std::clamp<long long>(ms, 1, MAXDWORD));
    api.setOption(handle, option, &value, sizeof value);
}

// The read's time, which starts with the first connection.
struct ReadClock {
    const WinInet& api;
    Clock::duration read;
    std::optional<Clock::time_point> connected;

    // How long is left of the read; before the first connection, all of it.
    Clock::duration left() const { return connected ? *connected + read - Clock::now() : read; }
};

// WinINet calls back on the requesting thread, the calls being synchronous. A request takes
// the time-outs of its connection, not those of the root handle, so they are set here, once the
// connection stands and before the request goes out on it: the wait for the answer ends with
// the read's time. A connection that WinINet kept from an earlier request is not announced, so
// the request's going out starts the read's time as well.
void CALLBACK noteStatus(HINTERNET request, DWORD_PTR context, DWORD status, LPVOID, DWORD) {
    if (status != INTERNET_STATUS_CONNECTED_TO_SERVER && status != INTERNET_STATUS_SENDING_REQUEST)
        return;
    auto& clock = *reinterpret_cast<ReadClock*>(context);
    if (!clock.connected) clock.connected = Clock::now();
    setMilliseconds(clock.api, request, INTERNET_OPTION_SEND_TIMEOUT, clock.left());
    setMilliseconds(clock.api, request, INTERNET_OPTION_RECEIVE_TIMEOUT, clock.left());
}

// Releases a WinINet handle, which ends its connection.
class Handle {
  public:
    Handle(const WinInet& api, HINTERNET handle) : api_(api), handle_(handle) {}
    ~Handle() {
        if (handle_) api_.closeHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HINTERNET get() const { return handle_; }

  private:
    const WinInet& api_;
    HINTERNET handle_;
};

bool isRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// A text that a WinINet call writes, tried again with the length it asks for.
template <class Call>
std::optional<std::string> grownText(Call call) {
    std::string text(INTERNET_MAX_URL_LENGTH, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD length = static_cast<DWORD>(text.size());
        if (call(text.data(), &length)) {
            text.resize(std::min<std::size_t>(length, text.size()));
            return text;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
    }
    return std::nullopt;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// A redirect: a redirect status with a Location. Its target, made absolute against the address
// asked for, is followed only when it is plain HTTP or HTTPS.
struct Redirect {
    std::optional<std::string> target;
};

std::optional<Redirect> redirectOf(const WinInet& api, HINTERNET page, const std::string& asked) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!api.queryInfo(page, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                       nullptr) ||
        !isRedirect(status)) {
        return std::nullopt;
    }
    const auto location = grownText([&](char* buffer, DWORD* length) {
        return api.queryInfo(page, HTTP_QUERY_LOCATION, buffer, length, nullptr);
    });
    if (!location) return std::nullopt;
    auto target = grownText([&](char* buffer, DWORD* length) {
        return api.combineUrl(asked.c_str(), location->c_str(), buffer, length, 0);
    });
    if (target && !startsWithNoCase(*target, "http://") && !startsWithNoCase(*target, "https://"))
        target.reset();
    return Redirect{std::move(target)};
}

}  // namespace

std::string WinInetPageReader::readFirstBytes(const std::string& url, std::size_t maxBytes) {
    const WinInet& api = winInet();
    ReadClock clock{api, patience_.read, std::nullopt};
    // Handles are not examined: a null one is passed on and makes the next call fail.
    const Handle root(api, api.open(kProbeUserAgent, kOpenDirect, nullptr, nullptr, 0));
    // WinINet calls back only for requests with a context: that context is the read's clock.
    api.setStatusCallback(root.get(), noteStatus);
    const auto context = reinterpret_cast<DWORD_PTR>(&clock);

    // WinINet would follow redirects without end, so they are followed here: WinINet stops at
    // each, and the Location is opened as the next page.
    std::string asked = url;
    std::optional<Handle> page;
    for (int redirects = 0;; ++redirects) {
        if (clock.left() <= Clock::duration::zero()) return {};
        // A connection after the first may take no longer than the read has left.
        setMilliseconds(api, root.get(), INTERNET_OPTION_CONNECT_TIMEOUT,
                        clock.connected ? std::min<Clock::duration>(patience_.connect, clock.left())
                                        : Clock::duration(patience_.connect));
        page.emplace(api, api.openUrl(root.get(), asked.c_str(), nullptr, 0,
                                      kReloadFlag | INTERNET_FLAG_NO_AUTO_REDIRECT, context));
        std::optional<Redirect> redirect = redirectOf(api, page->get(), asked);
        if (!redirect) break;
        // A redirect that is not followed shows nothing: its body is no page.
        if (!redirect->target || redirects == kMaxRedirects) return {};
        page.reset();  // before the next connection opens
        asked = std::move(*redirect->target);
    }

    // One read of the whole would wait for all of it, however slowly it trickles in: the body is
    // taken as it arrives, and each wait ends with the read's time.
    std::string bytes;
    while (bytes.size() < maxBytes && clock.left() > Clock::duration::zero()) {
        setMilliseconds(api, page->get(), INTERNET_OPTION_RECEIVE_TIMEOUT, clock.left());
        DWORD available = 0;
        if (!api.queryDataAvailable(page->get(), &available, 0, 0) || available == 0) break;
        const std::size_t offset = bytes.size();
        bytes.resize(offset + std::min<std::size_t>(available, maxBytes - offset));
        DWORD read = 0;
        if (!api.readFile(page->get(), bytes.data() + offset,
                          static_cast<DWORD>(bytes.size() - offset), &read)) {
            read = 0;
        }
        bytes.resize(offset + read);
        if (read == 0) break;
    }
    // Closing both handles ends the connection, so no request outlives its probe.
    return bytes;
}

}  // namespace kestrel
