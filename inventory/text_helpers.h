#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// Small text rules shared by the providers and the scan, so that every reader of a number or a
// firmware string applies the same ones.

// Blanks are spaces, tabs and line ends: what a file or a line-based reader leaves around a value.
bool isBlank(char c);
std::string_view trimBlanks(std::string_view text);
std::string_view trimTrailingBlanks(std::string_view text);

// ASCII only: firmware strings and management names are bytes in no declared character set, and
// std::tolower would be a locale-aware library call per character.
char lowerAscii(char c);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Orders names without regard to ASCII case, as the management service matches them.
struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// An integer in the base's digits with an optional minus and nothing else, not even blanks,
// within 64 bits.
std::optional<std::int64_t> parseInteger(std::string_view digits, int base = 10);

// A number written in decimal: blanks around it, an optional minus, digits with an optional
// fraction and exponent. nullopt for anything else ("inf", "nan", hex) and for a number past the
// range of a double.
std::optional<double> parseDecimal(std::string_view text);

// parseInteger in decimal, with blanks around it.
std::optional<std::int64_t> parseWholeNumber(std::string_view text);

// Firmware strings are bytes: valid UTF-8 is kept, anything else is read as Windows-1252 (of
// which Latin-1 is a part) and written as UTF-8.
std::string firmwareText(std::string_view bytes);

// The same for a text that a source may lack.
std::optional<std::string> firmwareTextIfAny(const std::optional<std::string>& bytes);

// Text fit to be shown or written anywhere: valid UTF-8 (text that is not is read as firmware
// text) in which each control character (U+0000 to U+001F, U+007F to U+009F) and each line or
// paragraph separator (U+2028, U+2029) becomes one blank, so that a value can neither break or
// add a line of the text it is put into nor reach a terminal as a command. Other format
// characters (bidirectional marks) are text and stay.
std::string blankControls(std::string_view text);

// One of the characters that blankControls blanks, found at a place in valid UTF-8: its code
// point and its length in bytes.
struct ControlCharacter {
    char32_t code;
    std::size_t length;
};
std::optional<ControlCharacter> controlCharacterAt(std::string_view utf8, std::size_t at);

// A value as a message quotes it: blanked as above, cut after kLongestQuote characters (an
// ellipsis marks the cut) and in double quotes, so that a message stays one readable line.
inline constexpr std::size_t kLongestQuote = 200;
std::string quoteValue(std::string_view text);

// The text cut after kLongestQuote characters, an ellipsis marking the cut; UTF-8 sequences
// stay whole.
std::string shortened(std::string_view text);

}  // namespace kestrel
