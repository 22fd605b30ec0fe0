#include "ui/win32/web_browser.h"

#include "platform/wmi/bstr.h"
#include "platform/wmi/com_error.h"
#include "ui/win32/browser_site.h"

namespace kestrel::win32 {
namespace {

// The engine of Internet Explorer 11, in its standards mode whatever the page declares.
constexpr DWORD kCurrentEngine = 11001;

}  // namespace

WebBrowser::WebBrowser(HWND window) : window_(window), site_(new BrowserSite(window)) {
    try {
        wmi::check(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    reinterpret_cast<void**>(object_.put())),
                   "CoCreateInstance(WebBrowser)");
        wmi::check(object_->SetClientSite(site_), "IOleObject::SetClientSite");
        RECT area;
        GetClientRect(window_, &area);
        wmi::check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &area),
                   "IOleObject::DoVerb");
        wmi::check(
            object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser_.put())),
            "QueryInterface(IWebBrowser2)");
        wmi::check(browser_->put_Silent(VARIANT_TRUE), "IWebBrowser2::put_Silent");
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
    const wmi::Bstr address(url);
    VARIANT none;
    VariantInit(&none);
    wmi::check(browser_->Navigate(address.get(), &none, &none, &none, &none),
               "IWebBrowser2::Navigate");
}

void WebBrowser::fitWindow() {
    wmi::ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject,
                                          reinterpret_cast<void**>(inPlace.put())))) {
        RECT area;
        GetClientRect(window_, &area);
        inPlace->SetObjectRects(&area, &area);
    }
}

void preferCurrentBrowserEngine(const std::wstring& exeName) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
                        L"FEATURE_BROWSER_EMULATION",
                        0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(key, exeName.c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&kCurrentEngine), sizeof kCurrentEngine);
    RegCloseKey(key);
}

}  // namespace kestrel::win32
