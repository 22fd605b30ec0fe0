#pragma once

#include <cstdint>
#include <optional>

namespace kestrel {

// a + b, or nullopt where the sum does not fit in 64 bits.
inline std::optional<std::int64_t> addChecked(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return std::nullopt;
    return sum;
}

// A double as a count or a size: finite, not negative and below 2^63 (whole part kept), else
// nullopt.
inline std::optional<std::int64_t> wholeCount(double value) {
    if (!(value >= 0 && value < 9223372036854775808.0)) return std::nullopt;
    return static_cast<std::int64_t>(value);
}

}  // namespace kestrel
