#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel::smbios {

// The value of kModuleManufacturerId for a Type 17 Module Manufacturer ID word (low byte the
// number of continuation codes, high byte the code): "80CE"; nullopt for 0, "unknown".
std::optional<std::string> manufacturerIdText(std::uint16_t id);

// The same from the text systemd's dmi_memory_id writes for it ("Bank 1, Hex 0xCE") where the
// code names a maker we know; that text itself where it names none; nullopt for any other text.
std::optional<std::string> manufacturerIdFromBank(std::string_view text);

}  // namespace kestrel::smbios
