#pragma once

// windows.h first: the OLE headers rely on its types.
#include <windows.h>

#include <oleauto.h>

#include <string_view>

namespace kestrel::windows {

// A BSTR argument (a namespace path, a query, an address) owned for the duration of a call.
class Bstr {
  public:
    explicit Bstr(std::string_view utf8);
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }

    BSTR get() const { return text_; }

  private:
    BSTR text_;
};

}  // namespace kestrel::windows
