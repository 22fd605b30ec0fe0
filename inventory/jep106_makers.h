#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrel {

// The memory module or DRAM maker that a JEDEC JEP106 identification code names, by the name
// customers know it by. bank counts from 1 (one more than the continuation codes before the
// code); the code's parity bit is ignored. nullopt for a code that names no memory maker we know.
std::optional<std::string_view> jep106Maker(int bank, std::uint8_t code);

// A code as udev and dmidecode write it: "Bank 2, Hex 0x98".
struct Jep106Code {
    int bank;           // 1 to 128
    std::uint8_t code;  // with its parity bit, never 0
};

// nullopt for any other text.
std::optional<Jep106Code> jep106CodeFromBankText(std::string_view text);

}  // namespace kestrel
