#pragma once

// windows.h first: the OLE headers rely on its types.
#include <windows.h>

#include <oleauto.h>

namespace kestrel::windows {

// A VARIANT out-parameter whose contents (a BSTR, an array, an interface) are freed with it.
class ScopedVariant {
  public:
    ScopedVariant() { VariantInit(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ~ScopedVariant() { VariantClear(&value_); }

    const VARIANT& get() const { return value_; }
    // For a call that fills the variant: whatever it held before is freed first.
    VARIANT* put() {
        VariantClear(&value_);
        return &value_;
    }

  private:
    VARIANT value_;
};

}  // namespace kestrel::windows
