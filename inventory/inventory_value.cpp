#include "inventory/inventory_value.h"

#include <array>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "inventory/error.h"
#include "inventory/overloaded.h"
#include "inventory/text_helpers.h"

namespace kestrel {
namespace {

double parseNumber(const std::string& text) {
    const auto number = parseDecimal(text);
    if (!number) throw Error("type mismatch: " + quoteValue(text) + " is not a number");
    return *number;
}

}  // namespace

std::string formatDouble(double value, std::string_view decimalSeparator) {
    if (value == 0 || !std::isfinite(value)) return value == 0 ? "0" : "overflow";
    // 15 significant digits, written in fixed notation.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, 14 - exponent);
    std::array<char, 400> buffer{};
    auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, decimals);
    std::string text(buffer.data(), ec == std::errc() ? ptr : buffer.data());
    if (const auto point = text.find('.'); point != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.')
            text.pop_back();
        else
            text.replace(point, 1, decimalSeparator);
    }
    return text == "-0" ? "0" : text;
}

std::string ValueFormat::text(const InventoryValue& value) const {
    return std::visit(Overloaded{
                          [](const InventoryValue::Empty&) { return std::string(); },
                          [](const InventoryValue::Null&) { return std::string(); },
                          [](std::int64_t v) { return std::to_string(v); },
                          [this](double v) { return formatDouble(v, decimalSeparator_); },
                          [](const std::string& v) { return v; },
                      },
                      value.storage());
}

InventoryValue ValueFormat::join(const InventoryValue& left, const InventoryValue& right) const {
    if (left.isNull() && right.isNull()) return InventoryValue::null();
    return InventoryValue(text(left) + text(right));
}

void ValueFormat::append(InventoryValue& list, const InventoryValue& entry,
                         std::string_view separator) const {
    if (!std::holds_alternative<std::string>(list.value_)) list.value_ = text(list);
    auto& growing = std::get<std::string>(list.value_);
    growing += text(entry);
    growing += separator;
}

double toDouble(const InventoryValue& value) {
    return std::visit(
        Overloaded{
            [](const InventoryValue::Empty&) { return 0.0; },
            [](const InventoryValue::Null&) -> double { throw Error("invalid use of Null"); },
            [](std::int64_t v) { return static_cast<double>(v); },
            [](double v) { return v; },
            [](const std::string& v) { return parseNumber(v); },
        },
        value.storage());
}

InventoryValue divide(const InventoryValue& dividend, const InventoryValue& divisor) {
    if (dividend.isNull() || divisor.isNull()) return InventoryValue::null();
    const double denominator = toDouble(divisor);
    if (denominator == 0) throw Error("division by zero");
    return InventoryValue(toDouble(dividend) / denominator);
}

bool contains(const InventoryValue& value, std::string_view needle) {
    if (value.isNull() || value.isEmpty()) return false;
    return ValueFormat().text(value).find(needle) != std::string::npos;
}

double roundToCents(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless changed.
    return std::nearbyint(value * 100.0) / 100.0;
}

std::optional<std::uint64_t> requireUnsigned(const InventoryValue& value, int bits) {
    using Number = std::optional<std::uint64_t>;
    const std::uint64_t largest = largestUnsigned(bits);
    const auto outside = [&]() -> Number {
        throw Error("not a whole number from 0 to " + std::to_string(largest));
    };
    // 2^bits is exact as a double and above every value that fits, even for 64 bits, where the
    // largest value itself has no double.
    const double limit = std::ldexp(1.0, bits);
    const auto wholeDouble = [&](double v) -> Number {
        if (v >= 0 && v < limit && v == std::trunc(v)) return static_cast<std::uint64_t>(v);
        return outside();
    };
    return std::visit(Overloaded{
                          [](const InventoryValue::Empty&) -> Number { return std::nullopt; },
                          [](const InventoryValue::Null&) -> Number { return std::nullopt; },
                          [&](std::int64_t v) -> Number {
                              if (v >= 0 && static_cast<std::uint64_t>(v) <= largest)
                                  return static_cast<std::uint64_t>(v);
                              return outside();
                          },
                          [&](double v) { return wholeDouble(v); },
                          [&](const std::string& v) -> Number {
                              // Digits alone are read exactly: a double cannot tell 2^64 - 1 from
                              // 2^64.
                              const std::string_view digits = trimBlanks(v);
                              const char* end = digits.data() + digits.size();
                              std::uint64_t whole = 0;
                              const auto [stop, ec] = std::from_chars(digits.data(), end, whole);
                              if (!digits.empty() && stop == end) {
                                  return ec == std::errc() && whole <= largest ? Number(whole)
                                                                               : outside();
                              }
                              return wholeDouble(parseNumber(v));
                          },
                      },
                      value.storage());
}

std::string describe(const InventoryValue& value) {
    if (value.isNull()) return "Null";
    if (value.isEmpty()) return "Empty";
    if (const double* number = std::get_if<double>(&value.storage())) {
        std::array<char, 32> buffer{};
        const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), *number);
        return quoteValue(std::string_view(buffer.data(), ec == std::errc() ? end : buffer.data()));
    }
    return quoteValue(ValueFormat().text(value));
}

}  // namespace kestrel
