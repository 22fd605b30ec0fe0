#include "platform/wmi/wmi_moniker.h"

#include <array>
#include <utility>

#include "inventory/error.h"
#include "inventory/text_helpers.h"

namespace kestrel::wmi {
namespace {

[[noreturn]] void reject(std::string_view moniker, const std::string& why) {
    throw Error("cannot connect to " + quoteValue(moniker) + ": " + why);
}

ImpersonationLevel parseSecuritySettings(std::string_view settings, std::string_view moniker) {
    const auto equals = settings.find('=');
    if (equals == std::string_view::npos ||
        !equalsIgnoringCase(trimBlanks(settings.substr(0, equals)), "impersonationLevel")) {
        reject(moniker, "only the impersonationLevel setting is supported");
    }
    static constexpr std::array<std::pair<std::string_view, ImpersonationLevel>, 4> kLevels{{
        {"anonymous", ImpersonationLevel::Anonymous},
        {"identify", ImpersonationLevel::Identify},
        {"impersonate", ImpersonationLevel::Impersonate},
        {"delegate", ImpersonationLevel::Delegate},
    }};
    const std::string_view level = trimBlanks(settings.substr(equals + 1));
    for (const auto& [name, value] : kLevels) {
        if (equalsIgnoringCase(level, name)) return value;
    }
    reject(moniker, "unknown impersonation level " + quoteValue(level));
}

}  // namespace

WmiMoniker parseMoniker(std::string_view moniker) {
    constexpr std::string_view kScheme = "winmgmts:";
    if (!equalsIgnoringCase(moniker.substr(0, kScheme.size()), kScheme)) {
        reject(moniker, "not a winmgmts: moniker");
    }
    std::string_view rest = moniker.substr(kScheme.size());
    WmiMoniker result;
    if (rest.starts_with('{')) {
        const auto close = rest.find('}');
        if (close == std::string_view::npos)
            reject(moniker, "the security settings are not closed");
        result.impersonation = parseSecuritySettings(rest.substr(1, close - 1), moniker);
        rest.remove_prefix(close + 1);
        if (!rest.starts_with('!')) reject(moniker, "\"!\" must follow the security settings");
        rest.remove_prefix(1);
    }
    if (rest.empty()) reject(moniker, "no namespace path");
    result.namespacePath = std::string(rest);
    return result;
}

}  // namespace kestrel::wmi
