#include "platform/wmi/wmi_moniker.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "inventory/error.h"

namespace kestrel::wmi {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

[[noreturn]] void reject(std::string_view moniker, const std::string& why) {
    throw Error("cannot connect to \"" + std::string(moniker) + "\": " + why);
}

ImpersonationLevel parseSecuritySettings(std::string_view settings, std::string_view moniker) {
    const auto equals = settings.find('=');
    if (equals == std::string_view::npos ||
        !equalsIgnoringCase(trimmed(settings.substr(0, equals)), "impersonationLevel")) {
        reject(moniker, "only the impersonationLevel setting is supported");
    }
    static constexpr std::array<std::pair<std::string_view, ImpersonationLevel>, 4> kLevels{{
        {"anonymous", ImpersonationLevel::Anonymous},
        {"identify", ImpersonationLevel::Identify},
        {"impersonate", ImpersonationLevel::Impersonate},
        {"delegate", ImpersonationLevel::Delegate},
    }};
    const std::string_view level = trimmed(settings.substr(equals + 1));
    for (const auto& [name, value] : kLevels) {
        if (equalsIgnoringCase(level, name)) return value;
    }
    reject(moniker, "unknown impersonation level \"" + std::string(level) + "\"");
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
