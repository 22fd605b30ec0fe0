#include "ui/win32/web_browser.h"

#include <cstdlib>
#include <vector>

#include "platform/windows/bstr.h"
#include "platform/windows/com_error.h"
#include "ui/win32/browser_site.h"

namespace kestrel::win32 {
namespace {

// The engine of Internet Explorer 11, in its standards mode whatever the page declares.
constexpr DWORD kCurrentEngine = 11001;
constexpr const wchar_t* kEmulationKey =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

// What preferCurrentBrowserEngine added under HKCU: the value's name, and the keys on the way to
// it that did not exist before, innermost first. Kept until the process ends.
std::wstring& writtenName() {
    static std::wstring name;
    return name;
}
std::vector<std::wstring>& createdKeys() {
    static std::vector<std::wstring> keys;
    return keys;
}

// kEmulationKey and those of its parents under HKCU that are missing, innermost first.
std::vector<std::wstring> missingKeys() {
    std::vector<std::wstring> missing;
    std::wstring path = kEmulationKey;
    while (!path.empty()) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            break;
        }
        missing.push_back(path);
        const auto parent = path.find_last_of(L'\\');
        path.resize(parent == std::wstring::npos ? 0 : parent);
    }
    return missing;
}

bool isEmpty(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subkeys = 1;
    DWORD values = 1;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return subkeys == 0 && values == 0;
}

// Kestrel keeps no settings: at process end the value goes again, and with it each key that was
// made for it, unless something else has been put there meanwhile.
void removeWhatWasWritten() {
    HKEY key = nullptr;
    if (!writtenName().empty() &&
        RegOpenKeyExW(HKEY_CURRENT_USER, kEmulationKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, writtenName().c_str());
        RegCloseKey(key);
    }
    for (const std::wstring& path : createdKeys()) {
        if (!isEmpty(path)) break;
        RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }
}

}  // namespace

WebBrowser::WebBrowser(HWND window) : window_(window), site_(new BrowserSite(window)) {
    try {
        windows::check(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IOleObject, reinterpret_cast<void**>(object_.put())),
                       "CoCreateInstance(WebBrowser)");
        windows::check(object_->SetClientSite(site_), "IOleObject::SetClientSite");
        RECT area;
        GetClientRect(window_, &area);
        windows::check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &area),
                       "IOleObject::DoVerb");
        windows::check(
            object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser_.put())),
            "QueryInterface(IWebBrowser2)");
        windows::check(browser_->put_Silent(VARIANT_TRUE), "IWebBrowser2::put_Silent");
    } catch (...) {
        if (object_) object_->SetClientSite(nullptr);
        site_->Release();
        throw;
    }
}

WebBrowser::~WebBrowser() {
    browser_.reset();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.reset();
    site_->Release();
}

void WebBrowser::navigate(const std::string& url) {
    const windows::Bstr address(url);
    VARIANT none;
    VariantInit(&none);
    windows::check(browser_->Navigate(address.get(), &none, &none, &none, &none),
                   "IWebBrowser2::Navigate");
}

void WebBrowser::fitWindow() {
    windows::ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject,
                                          reinterpret_cast<void**>(inPlace.put())))) {
        RECT area;
        GetClientRect(window_, &area);
        inPlace->SetObjectRects(&area, &area);
    }
}

void preferCurrentBrowserEngine(const std::wstring& exeName) {
    // A value already there is someone else's choice, or one an older Kestrel left: it stays
    // as found.
    if (RegGetValueW(HKEY_CURRENT_USER, kEmulationKey, exeName.c_str(), RRF_RT_ANY, nullptr,
                     nullptr, nullptr) == ERROR_SUCCESS) {
        return;
    }
    createdKeys() = missingKeys();
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kEmulationKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        createdKeys().clear();
        return;
    }
    const bool written = RegSetValueExW(key, exeName.c_str(), 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&kCurrentEngine),
                                        sizeof kCurrentEngine) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (written) writtenName() = exeName;
    std::atexit(removeWhatWasWritten);
}

}  // namespace kestrel::win32
