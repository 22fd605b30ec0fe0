#include "inventory/memory_maker.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "inventory/jep106_makers.h"
#include "inventory/text_helpers.h"

namespace kestrel {
namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::optional<std::uint8_t> hexDigit(char c) {
    if (isDigit(c)) return static_cast<std::uint8_t>(c - '0');
    const char l = lowerAscii(c);
    if (l >= 'a' && l <= 'f') return static_cast<std::uint8_t>(l - 'a' + 10);
    return std::nullopt;
}

std::string_view withoutHexPrefix(std::string_view text) {
    return startsWithIgnoringCase(text, "0x") ? text.substr(2) : text;
}

// The bytes an even run of hex digits spells; nullopt for anything else.
std::optional<std::vector<std::uint8_t>> hexBytes(std::string_view digits) {
    if (digits.empty() || digits.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const auto high = hexDigit(digits[i]);
        const auto low = hexDigit(digits[i + 1]);
        if (!high || !low) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
    }
    return bytes;
}

bool isAllZeroHex(std::string_view text) {
    const std::string_view digits = withoutHexPrefix(text);
    return !digits.empty() && std::ranges::all_of(digits, [](char c) { return c == '0'; });
}

// "Manufacturer", "Manufacturer00", "A1_Manufacturer0", "DIMM_A1_Manufacturer": the names
// board firmware gives its unfilled module fields.
bool isNumberedManufacturer(std::string_view text) {
    const auto underscore = text.rfind('_');
    if (underscore != std::string_view::npos) {
        const std::string_view prefix = text.substr(0, underscore);
        if (prefix.empty() || !std::ranges::all_of(prefix, [](char c) {
                return isLetter(c) || isDigit(c) || c == '_';
            })) {
            return false;
        }
        text.remove_prefix(underscore + 1);
    }
    constexpr std::string_view kWord = "Manufacturer";
    if (!startsWithIgnoringCase(text, kWord)) return false;
    const std::string_view number = text.substr(kWord.size());
    return number.size() <= 2 && std::ranges::all_of(number, isDigit);
}

bool isPlaceholder(std::string_view text) {
    static constexpr std::array<std::string_view, 12> kPlaceholders{
        "Not Specified", "Unknown",  "Undefined", "None",           "N/A",
        "NO DIMM",       "Empty",    "[Empty]",   "Default string", "To Be Filled By O.E.M.",
        "ABCD",          "JEDEC ID:"};
    return text.empty() || isAllZeroHex(text) || isNumberedManufacturer(text) ||
           std::ranges::any_of(kPlaceholders,
                               [&](std::string_view p) { return equalsIgnoringCase(text, p); });
}

// A pair of bytes: the number of continuation codes (with its parity bit) and the code. Some
// firmware writes them the other way round; no bank has more than 15 continuation codes yet,
// while a code without its parity bit is rarely that low.
std::optional<std::string_view> pairMaker(std::uint8_t first, std::uint8_t second) {
    constexpr std::uint8_t kMaxContinuations = 15;
    if ((first & 0x7F) > kMaxContinuations && (second & 0x7F) <= kMaxContinuations) {
        std::swap(first, second);
    }
    return jep106Maker((first & 0x7F) + 1, second);
}

// "7F7F7F7F7F9B0000": each leading 0x7F is a continuation code, the next byte the code.
std::optional<std::string_view> continuationMaker(const std::vector<std::uint8_t>& bytes) {
    constexpr std::uint8_t kContinuation = 0x7F;
    const auto code =
        std::ranges::find_if(bytes, [](std::uint8_t b) { return b != kContinuation; });
    if (code == bytes.end()) return std::nullopt;
    return jep106Maker(static_cast<int>(code - bytes.begin()) + 1, *code);
}

// "JEDEC ID:80 AD".
std::optional<std::vector<std::uint8_t>> jedecIdBytes(std::string_view text) {
    constexpr std::string_view kPrefix = "JEDEC ID:";
    if (!startsWithIgnoringCase(text, kPrefix)) return std::nullopt;
    std::string digits;
    for (const char c : text.substr(kPrefix.size())) {
        if (!isBlank(c)) digits += c;
    }
    auto bytes = hexBytes(digits);
    if (!bytes || bytes->size() != 2) return std::nullopt;
    return bytes;
}

// The maker a code names; nullopt when the text is no code or its maker is not in the table.
std::optional<std::string_view> decodedMaker(std::string_view text) {
    if (const auto jedec = jedecIdBytes(text)) return pairMaker((*jedec)[0], (*jedec)[1]);
    if (const auto id = jep106CodeFromBankText(text)) return jep106Maker(id->bank, id->code);
    const auto bytes = hexBytes(withoutHexPrefix(text));
    if (!bytes) return std::nullopt;
    switch (bytes->size()) {
        case 2:
        case 4:
        case 6:
            return pairMaker((*bytes)[0], (*bytes)[1]);
        case 8:
            if (const auto maker = continuationMaker(*bytes)) return maker;
            return pairMaker((*bytes)[0], (*bytes)[1]);
        default:
            return std::nullopt;
    }
}

bool looksLikeCode(std::string_view text) {
    return jedecIdBytes(text) || jep106CodeFromBankText(text) ||
           hexBytes(withoutHexPrefix(text)).has_value();
}

}  // namespace

std::optional<ModuleMaker> moduleMaker(std::string_view written) {
    // Blanked before anything else reads it, so that "Samsung\0" is the name "Samsung",
    // "80CE\0" a code and "Not Specified\0" a placeholder.
    const std::string blanked = blankControls(written);
    const std::string_view text = trimBlanks(blanked);
    if (isPlaceholder(text)) return std::nullopt;
    if (const auto maker = decodedMaker(text)) return ModuleMaker{std::string(*maker), true};
    return ModuleMaker{std::string(text), !looksLikeCode(text)};
}

std::optional<std::string> moduleMakerName(std::string_view text,
                                           std::optional<std::string_view> identification) {
    const auto fromText = moduleMaker(text);
    if (fromText && fromText->known) return fromText->name;
    const auto fromId = identification ? moduleMaker(*identification) : std::nullopt;
    if (fromId && (fromId->known || !fromText)) return fromId->name;
    if (fromText) return fromText->name;
    return std::nullopt;
}

void MemoryMakers::add(std::string name) {
    std::string folded = name;
    std::ranges::transform(folded, folded.begin(), lowerAscii);
    if (seen_.insert(std::move(folded)).second) names_.push_back(std::move(name));
}

std::string MemoryMakers::text() const {
    std::string joined;
    for (const auto& name : names_) {
        if (!joined.empty()) joined += ", ";
        joined += name;
    }
    return joined;
}

}  // namespace kestrel
