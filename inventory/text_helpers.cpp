#include "inventory/text_helpers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace kestrel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The code points Windows-1252 gives to the bytes 0x80 to 0x9F; the five it leaves unassigned
// keep their own value, as Windows itself reads them. Every other byte is its own code point.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no surrogates,
// nothing past U+10FFFF.
bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return trimTrailingBlanks(text);
}

std::string_view trimTrailingBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const {
    return std::ranges::lexicographical_compare(
        a, b, [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
}

std::optional<std::int64_t> parseInteger(std::string_view digits, int base) {
    std::int64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, ec] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || ec != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<double> parseDecimal(std::string_view text) {
    const std::string_view number = trimBlanks(text);
    const std::size_t start = number.starts_with('-') ? 1 : 0;
    // from_chars would also take "inf", "nan" and their longer spellings.
    if (number.size() == start || !(isDigit(number[start]) || number[start] == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, ec] = std::from_chars(number.data(), end, value);
    if (ec != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int64_t> parseWholeNumber(std::string_view text) {
    return parseInteger(trimBlanks(text));
}

std::string firmwareText(std::string_view bytes) {
    if (isUtf8(bytes)) return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
    }
    return text;
}

std::optional<std::string> firmwareTextIfAny(const std::optional<std::string>& bytes) {
    return bytes ? std::optional(firmwareText(*bytes)) : std::nullopt;
}

std::optional<ControlCharacter> controlCharacterAt(std::string_view utf8, std::size_t at) {
    // A byte below 0x80 is a whole character, C1 controls are C2 80 to C2 9F, the two
    // separators E2 80 A8 and E2 80 A9.
    const auto byte = [&](std::size_t k) {
        return at + k < utf8.size() ? static_cast<unsigned char>(utf8[at + k]) : 0u;
    };
    if (byte(0) < 0x20 || byte(0) == 0x7F) return ControlCharacter{byte(0), 1};
    if (byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) return ControlCharacter{byte(1), 2};
    if (byte(0) == 0xE2 && byte(1) == 0x80 && (byte(2) == 0xA8 || byte(2) == 0xA9))
        return ControlCharacter{0x2000u | (byte(2) - 0x80u), 3};
    return std::nullopt;
}

std::string blankControls(std::string_view text) {
    const std::string shown = firmwareText(text);
    // Valid UTF-8 now: each control character becomes one blank in place.
    std::string out;
    out.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (const auto control = controlCharacterAt(shown, i)) {
            out += ' ';
            i += control->length - 1;
        } else {
            out += shown[i];
        }
    }
    return out;
}

std::string shortened(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Each character starts with a byte that is no continuation byte (10xxxxxx).
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == kLongestQuote) {
            return std::string(text.substr(0, i)) + "\xE2\x80\xA6";  // …
        }
    }
    return std::string(text);
}

std::string quoteValue(std::string_view text) { return '"' + shortened(blankControls(text)) + '"'; }

}  // namespace kestrel
