#include "platform/smbios/manufacturer_id.h"

#include <cstdio>

#include "inventory/jep106_makers.h"

namespace kestrel::smbios {

std::optional<std::string> manufacturerIdText(std::uint16_t id) {
    if (id == 0) return std::nullopt;  // the firmware does not know
    char text[5];
    std::snprintf(text, sizeof text, "%02X%02X", id & 0xFFu, (id >> 8) & 0xFFu);
    return std::string(text);
}

std::optional<std::string> manufacturerIdFromBank(std::string_view text) {
    const auto id = jep106CodeFromBankText(text);
    if (!id) return std::nullopt;
    // A code no maker we know holds stays as the source wrote it: rewritten it would read as
    // something no firmware wrote ("Bank 128" as "7F").
    if (!jep106Maker(id->bank, id->code)) return std::string(text);
    return manufacturerIdText(static_cast<std::uint16_t>(id->code << 8 | (id->bank - 1)));
}

}  // namespace kestrel::smbios
