#include "platform/windows/com_apartment.h"

#include <objbase.h>

#include "platform/windows/com_error.h"

namespace kestrel::windows {

ComApartment::ComApartment() {
    // Single-threaded: the scan runs on the GUI thread, which must stay in such an apartment.
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (result == RPC_E_CHANGED_MODE) return;  // a multithreaded apartment serves as well
    check(result, "CoInitializeEx");
    mustUninitialise_ = true;  // S_FALSE too: every successful call is balanced
}

ComApartment::~ComApartment() {
    if (mustUninitialise_) CoUninitialize();
}

}  // namespace kestrel::windows
