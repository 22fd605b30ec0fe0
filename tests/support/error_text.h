#pragma once

#include <functional>
#include <string>

#include "inventory/error.h"

namespace kestrel::test {

// The message of the Error that action throws, or "no error".
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace kestrel::test
