#include "net/wininet_page_reader.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>

#include "inventory/error.h"

namespace kestrel {
namespace {

constexpr DWORD kOpenDirect = 1;           // INTERNET_OPEN_TYPE_DIRECT: no proxy
constexpr DWORD kReloadFlag = 0x80000000;  // INTERNET_FLAG_RELOAD: never from the cache

using InternetOpenFn = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using InternetOpenUrlFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
using InternetReadFileFn = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
using InternetCloseHandleFn = BOOL(WINAPI*)(HINTERNET);

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
    }

    HMODULE library;  // stays loaded for the life of the process
    InternetOpenFn open;
    InternetOpenUrlFn openUrl;
    InternetReadFileFn readFile;
    InternetCloseHandleFn closeHandle;
};

// Bound on first use; a failed binding throws and is tried again on the next use.
const WinInet& winInet() {
    static const WinInet bound;
    return bound;
}

}  // namespace

std::string WinInetPageReader::readFirstBytes(const std::string& url, std::size_t maxBytes) {
    const WinInet& api = winInet();
    // Handles are not examined: a null one is passed on and makes the next call fail.
    const HINTERNET root = api.open(kProbeUserAgent, kOpenDirect, nullptr, nullptr, 0);
    const HINTERNET page = api.openUrl(root, url.c_str(), nullptr, 0, kReloadFlag, 0);
    std::string bytes(maxBytes, ' ');
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(maxBytes, MAXDWORD));
    if (!api.readFile(page, bytes.data(), wanted, &read)) read = 0;
    // Closing both handles ends the connection, so no request outlives its probe.
    if (page) api.closeHandle(page);
    if (root) api.closeHandle(root);
    bytes.resize(read);
    return bytes;
}

}  // namespace kestrel
