#include "ui/win32/accessible_role.h"

#include <oleacc.h>

namespace kestrel::win32 {
namespace {

IAccPropServices* annotations() {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return nullptr;
    }
    return services;
}

}  // namespace

void announceAsDialog(HWND window) {
    IAccPropServices* services = annotations();
    if (!services) return;
    VARIANT role;
    VariantInit(&role);
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_DIALOG;
    services->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                          role);
    services->Release();
}

void forgetAnnouncedRole(HWND window) {
    IAccPropServices* services = annotations();
    if (!services) return;
    MSAAPROPID role = PROPID_ACC_ROLE;
    services->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &role, 1);
    services->Release();
}

}  // namespace kestrel::win32
