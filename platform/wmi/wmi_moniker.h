#pragma once

#include <string>
#include <string_view>

namespace kestrel::wmi {

enum class ImpersonationLevel { Anonymous, Identify, Impersonate, Delegate };

// A "winmgmts:" moniker taken apart into what IWbemLocator::ConnectServer and the proxy
// security need.
struct WmiMoniker {
    std::string namespacePath;  // as written after the "!", e.g. \\.\root\cimv2
    // The instrumentation's own default when the moniker names no level.
    ImpersonationLevel impersonation = ImpersonationLevel::Impersonate;
};

// Accepts "winmgmts:[{impersonationLevel=LEVEL}!]PATH"; throws Error for anything else, so
// that a setting Kestrel would silently ignore is never taken as honoured.
WmiMoniker parseMoniker(std::string_view moniker);

}  // namespace kestrel::wmi
