#include "platform/smbios/manufacturer_id.h"

#include <cstdio>

#include "inventory/text_helpers.h"

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
    const auto hex = text.find(kHex);
    if (!text.starts_with(kBank) || hex == std::string_view::npos) return std::nullopt;
    const auto bank = parseInteger(text.substr(kBank.size(), hex - kBank.size()));
    const std::string_view codeDigits = text.substr(hex + kHex.size());
    if (!bank || *bank < 1 || *bank > 128 || codeDigits.size() != 2) return std::nullopt;
    const auto code = parseInteger(codeDigits, 16);
    if (!code || *code < 0) return std::nullopt;
    return manufacturerIdText(static_cast<std::uint16_t>(*code << 8 | (*bank - 1)));
}

}  // namespace kestrel::smbios
