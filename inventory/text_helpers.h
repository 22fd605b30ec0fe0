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

// Each control character (U+0000 to U+001F, U+007F) becomes one blank, so that a value can
// neither break a line of text it is put into nor reach a terminal as a command.
std::string blankControls(std::string text);

}  // namespace kestrel
