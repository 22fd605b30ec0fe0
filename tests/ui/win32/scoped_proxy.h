#pragma once

#include "ui/win32/windows_api.h"

#include <optional>
#include <string>

namespace kestrel::test {

// Points the user's Internet settings at an HTTP proxy for one scope, as a user or an
// administrator would, and puts back what was there.
class ScopedSystemProxy {
  public:
    explicit ScopedSystemProxy(const std::wstring& server);
    ~ScopedSystemProxy();
    ScopedSystemProxy(const ScopedSystemProxy&) = delete;
    ScopedSystemProxy& operator=(const ScopedSystemProxy&) = delete;

  private:
    HKEY key_ = nullptr;
    std::optional<DWORD> oldEnable_;
    std::optional<std::wstring> oldServer_;
};

}  // namespace kestrel::test
