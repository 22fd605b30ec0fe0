#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kestrel {

// A value as the management service delivers it: never assigned (Empty), reported without a
// value (Null), an integer, a double or a text.
class InventoryValue {
  public:
    struct Empty {
        bool operator==(const Empty&) const = default;
    };
    struct Null {
        bool operator==(const Null&) const = default;
    };
    using Storage = std::variant<Empty, Null, std::int64_t, double, std::string>;

    InventoryValue() = default;
    InventoryValue(Null) : value_(Null{}) {}
    InventoryValue(std::int64_t v) : value_(v) {}
    InventoryValue(int v) : value_(static_cast<std::int64_t>(v)) {}
    InventoryValue(double v) : value_(v) {}
    InventoryValue(std::string v) : value_(std::move(v)) {}
    InventoryValue(const char* v) : value_(std::string(v)) {}

    static InventoryValue null() { return InventoryValue(Null{}); }

    bool isEmpty() const { return std::holds_alternative<Empty>(value_); }
    bool isNull() const { return std::holds_alternative<Null>(value_); }
    const Storage& storage() const { return value_; }

    bool operator==(const InventoryValue&) const = default;

  private:
    friend class ValueFormat;  // grows a list in place
    Storage value_;
};

// How values turn into text. The decimal separator is the user's locale's; it is passed in so
// that the core never reads the locale itself.
class ValueFormat {
  public:
    explicit ValueFormat(std::string decimalSeparator = ".")
        : decimalSeparator_(std::move(decimalSeparator)) {}

    // Empty and Null give the empty text; a double is written with at most 15 significant
    // digits, no exponent, no trailing zeros.
    std::string text(const InventoryValue& value) const;

    // Each side adds its text; Null and Empty add nothing. Null only when both sides are Null.
    InventoryValue join(const InventoryValue& left, const InventoryValue& right) const;

    // list & entry & separator, appended in place so that a list of n entries takes time in
    // proportion to its length, not to n times its length.
    void append(InventoryValue& list, const InventoryValue& entry,
                std::string_view separator) const;

    const std::string& decimalSeparator() const { return decimalSeparator_; }

  private:
    std::string decimalSeparator_;
};

// Both sides as doubles; Null in gives Null out, Empty counts as 0, text must hold a number.
InventoryValue divide(const InventoryValue& dividend, const InventoryValue& divisor);

// The value as a double for arithmetic; throws Error for Null or text that is not a number.
double toDouble(const InventoryValue& value);

// Ordinal, case-sensitive substring test on the text; Null and Empty contain nothing.
bool contains(const InventoryValue& value, std::string_view needle);

// Rounds to two decimals, ties to the even neighbour (0.125 -> 0.12, 0.375 -> 0.38).
double roundToCents(double value);

// Writes a double in the general form used everywhere in Kestrel ("7.9", "4096", "389.12").
std::string formatDouble(double value, std::string_view decimalSeparator);

// The largest value of an unsigned integer of `bits` bits (1 to 64).
constexpr std::uint64_t largestUnsigned(int bits) {
    return bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

// Checks that the value is a whole number from 0 to 2^bits - 1, whatever form it came in: an
// integer, a double, or text that holds a decimal number (a number the instrumentation declares
// as an unsigned integer of that width), and returns that number. Throws Error saying what it is
// instead; Null and Empty pass, as they hold no number, and give nullopt.
std::optional<std::uint64_t> requireUnsigned(const InventoryValue& value, int bits);

// A short description for error messages: the value's text quoted (a double in its shortest
// exact form), or Null / Empty.
std::string describe(const InventoryValue& value);

}  // namespace kestrel
