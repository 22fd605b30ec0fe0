#include "platform/wmi/wmi_service.h"

#include "inventory/error.h"
#include "inventory/text_helpers.h"
#include "platform/windows/bstr.h"
#include "platform/windows/com_error.h"
#include "platform/wmi/wmi_moniker.h"
#include "platform/wmi/wmi_result_set.h"

namespace kestrel::wmi {
namespace {

DWORD rpcImpersonationLevel(ImpersonationLevel level) {
    switch (level) {
        case ImpersonationLevel::Anonymous:
            return RPC_C_IMP_LEVEL_ANONYMOUS;
        case ImpersonationLevel::Identify:
            return RPC_C_IMP_LEVEL_IDENTIFY;
        case ImpersonationLevel::Impersonate:
            return RPC_C_IMP_LEVEL_IMPERSONATE;
        case ImpersonationLevel::Delegate:
            return RPC_C_IMP_LEVEL_DELEGATE;
    }
    return RPC_C_IMP_LEVEL_DEFAULT;
}

// Set on each proxy rather than process-wide with CoInitializeSecurity: the provider lives in
// programs (the GUI) whose COM security is theirs to choose.
void applyImpersonation(IUnknown* proxy, DWORD level, const char* proxyName) {
    windows::check(CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                     RPC_C_AUTHN_LEVEL_CALL, level, nullptr, EOAC_NONE),
                   std::string("CoSetProxyBlanket(") + proxyName + ")");
}

}  // namespace

WmiService::WmiService() : apartment_(std::make_shared<const windows::ComApartment>()) {}

void WmiService::connect(const std::string& moniker) {
    const WmiMoniker parsed = parseMoniker(moniker);
    windows::ComPtr<IWbemLocator> locator;
    windows::check(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(locator.put())),
                   "CoCreateInstance(WbemLocator)");
    windows::ComPtr<IWbemServices> services;
    windows::check(locator->ConnectServer(windows::Bstr(parsed.namespacePath).get(), nullptr,
                                          nullptr, nullptr, 0, nullptr, nullptr, services.put()),
                   "IWbemLocator::ConnectServer(" + parsed.namespacePath + ")");
    const DWORD level = rpcImpersonationLevel(parsed.impersonation);
    applyImpersonation(services.get(), level, "IWbemServices");
    services_ = std::move(services);
    impersonation_ = level;
}

std::unique_ptr<ResultSet> WmiService::execQuery(const std::string& wql) {
    if (!services_)
        throw Error("query " + quoteValue(wql) + " sent before connecting to the service");
    std::string className = queriedClass(wql);
    windows::ComPtr<IEnumWbemClassObject> enumerator;
    windows::check(services_->ExecQuery(windows::Bstr("WQL").get(), windows::Bstr(wql).get(),
                                        WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                        nullptr, enumerator.put()),
                   "IWbemServices::ExecQuery(" + wql + ")");
    applyImpersonation(enumerator.get(), impersonation_, "IEnumWbemClassObject");
    return std::make_unique<WmiResultSet>(apartment_, std::move(className), std::move(enumerator));
}

}  // namespace kestrel::wmi
