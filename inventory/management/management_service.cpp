#include "inventory/management/management_service.h"

#include <cctype>
#include <vector>

#include "inventory/error.h"
#include "inventory/text_helpers.h"

namespace kestrel {
namespace {

// Splits on blanks; "*" stands alone even when written without blanks around it.
std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        if (text[i] == '*') {
            end = i + 1;
        } else {
            while (end < text.size() && !isBlank(text[end]) && text[end] != '*') ++end;
        }
        result.push_back(text.substr(i, end - i));
        i = end;
    }
    return result;
}

bool isClassName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

}  // namespace

std::string localCimv2Moniker() {
    return std::string("winmgmts:") + "{impersonationLevel=impersonate}!\\\\" + "." +
           "\\root\\cimv2";
}

std::string queriedClass(std::string_view wql) {
    const auto w = words(wql);
    if (w.size() != 4 || !equalsIgnoringCase(w[0], "select") || w[1] != "*" ||
        !equalsIgnoringCase(w[2], "from") || !isClassName(w[3])) {
        throw Error("unsupported query " + quoteValue(wql) +
                    ": only \"Select * from <Class>\" is supported");
    }
    return std::string(w[3]);
}

}  // namespace kestrel
