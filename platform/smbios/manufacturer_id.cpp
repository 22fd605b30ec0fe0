#include "platform/smbios/manufacturer_id.h"

#include <charconv>
#include <cstdio>

namespace kestrel::smbios {

std::optional<std::string> manufacturerIdText(std::uint16_t id) {
    if (id == 0) return std::nullopt;  // the firmware does not know
    char text[5];
    std::snprintf(text, sizeof text, "%02X%02X", id & 0xFFu, (id >> 8) & 0xFFu);
    return std::string(text);
}

std::optional<std::string> manufacturerIdFromBank(std::string_view text) {
    constexpr std::string_view kBank = "Bank ";
    constexpr std::string_view kHex = ", Hex 0x";
    if (!text.starts_with(kBank)) return std::nullopt;
    const char* const end = text.data() + text.size();
    unsigned bank = 0;
    auto [bankEnd, bankError] = std::from_chars(text.data() + kBank.size(), end, bank);
    if (bankError != std::errc() || bank < 1 || bank > 128 ||
        !std::string_view(bankEnd, static_cast<std::size_t>(end - bankEnd)).starts_with(kHex)) {
        return std::nullopt;
    }
    unsigned code = 0;
    const char* const codeStart = bankEnd + kHex.size();
    auto [codeEnd, codeError] = std::from_chars(codeStart, end, code, 16);
    if (codeError != std::errc() || codeEnd != end || codeEnd - codeStart != 2) return std::nullopt;
    return manufacturerIdText(static_cast<std::uint16_t>(code << 8 | (bank - 1)));
}

}  // namespace kestrel::smbios
