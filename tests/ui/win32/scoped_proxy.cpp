#include "scoped_proxy.h"

#include <stdexcept>

namespace kestrel::test {
namespace {

constexpr const wchar_t* kSettings =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

void setDword(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void setString(HKEY key, const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

ScopedSystemProxy::ScopedSystemProxy(const std::wstring& server) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot open the Internet settings");
    }
    DWORD enable = 0, size = sizeof enable;
    if (RegQueryValueExW(key_, L"ProxyEnable", nullptr, nullptr, reinterpret_cast<BYTE*>(&enable),
                         &size) == ERROR_SUCCESS) {
        oldEnable_ = enable;
    }
    wchar_t old[512] = {};
    size = sizeof old - sizeof(wchar_t);
    if (RegQueryValueExW(key_, L"ProxyServer", nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                         &size) == ERROR_SUCCESS) {
        oldServer_ = old;
    }
    setDword(key_, L"ProxyEnable", 1);
    setString(key_, L"ProxyServer", server);
}

ScopedSystemProxy::~ScopedSystemProxy() {
    oldEnable_ ? setDword(key_, L"ProxyEnable", *oldEnable_)
               : static_cast<void>(RegDeleteValueW(key_, L"ProxyEnable"));
    oldServer_ ? setString(key_, L"ProxyServer", *oldServer_)
               : static_cast<void>(RegDeleteValueW(key_, L"ProxyServer"));
    RegCloseKey(key_);
}

}  // namespace kestrel::test
