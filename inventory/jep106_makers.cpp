#include "inventory/jep106_makers.h"

#include <algorithm>
#include <array>

#include "inventory/text_helpers.h"

namespace kestrel {
namespace {

// An entry of the published list: its bank and its number within the bank (1 to 126), which is
// the code without its odd-parity bit.
struct Maker {
    std::uint8_t bank;
    std::uint8_t number;
    std::string_view name;
};

// Memory module and DRAM makers, and the system and board makers whose own code appears on
// modules they sell. Sorted by bank and number. Where the list's name is not the one on the
// modules, the name customers know is kept:
// - Fujitsu (1, 4): its memory business is now RAMXEED.
// - Toshiba (1, 24): its memory business is now Kioxia, which the list names there.
// - GeIL (4, 19): listed as Golden Empire.
// - GOODRAM (8, 93): the brand of Wilk Elektronik, which the list names.
// - KLEVV (9, 24): the brand of Essencore, which the list names.
// - Hikvision (12, 44 and 13, 124): listed as Hangzhou Hikstorage, its storage arm.
constexpr std::array kMakers{
    Maker{1, 1, "AMD"},           Maker{1, 4, "Fujitsu"},        Maker{1, 7, "Hitachi"},
    Maker{1, 9, "Intel"},         Maker{1, 16, "NEC"},           Maker{1, 23, "Texas Instruments"},
    Maker{1, 24, "Toshiba"},      Maker{1, 28, "Mitsubishi"},    Maker{1, 36, "IBM"},
    Maker{1, 44, "Micron"},       Maker{1, 45, "SK Hynix"},      Maker{1, 64, "Mosel Vitelic"},
    Maker{1, 65, "Infineon"},     Maker{1, 66, "Macronix"},      Maker{1, 72, "Apple"},
    Maker{1, 78, "Samsung"},      Maker{1, 90, "Winbond"},       Maker{1, 96, "LG Semicon"},
    Maker{1, 126, "Numonyx"},     Maker{2, 20, "Smart Modular"}, Maker{2, 24, "Kingston"},
    Maker{2, 50, "Mushkin"},      Maker{2, 58, "PNY"},           Maker{2, 64, "Viking"},
    Maker{2, 69, "Micron"},       Maker{2, 79, "Transcend"},     Maker{2, 90, "Dane-Elec"},
    Maker{2, 97, "Wintec"},       Maker{2, 122, "Apacer"},       Maker{2, 124, "Foxconn"},
    Maker{3, 30, "Corsair"},      Maker{3, 42, "Kentron"},       Maker{3, 47, "Siemens"},
    Maker{3, 53, "SpecTek"},      Maker{3, 126, "Elpida"},       Maker{4, 11, "Nanya"},
    Maker{4, 15, "ATI"},          Maker{4, 19, "GeIL"},          Maker{4, 20, "Mushkin"},
    Maker{4, 22, "Netlist"},      Maker{4, 37, "Kingmax"},       Maker{4, 88, "takeMS"},
    Maker{4, 90, "Swissbit"},     Maker{4, 107, "NVIDIA"},       Maker{5, 48, "OCZ"},
    Maker{5, 67, "Ramaxel"},      Maker{5, 75, "ADATA"},         Maker{5, 77, "G.Skill"},
    Maker{5, 78, "Quanta"},       Maker{5, 103, "Gigaram"},      Maker{5, 111, "Team Group"},
    Maker{5, 113, "Toshiba"},     Maker{6, 2, "Patriot"},        Maker{6, 6, "CompuRAM"},
    Maker{6, 16, "Gigaram"},      Maker{6, 23, "COS Memory"},    Maker{6, 27, "Crucial"},
    Maker{6, 43, "Acbel"},        Maker{6, 62, "PQI"},           Maker{6, 70, "MSI"},
    Maker{6, 81, "Qimonda"},      Maker{6, 86, "Chaintech"},     Maker{6, 87, "Aeneon"},
    Maker{6, 92, "Hexon"},        Maker{6, 98, "Goldenmars"},    Maker{6, 99, "Kreton"},
    Maker{6, 119, "Avant"},       Maker{6, 120, "ASRock"},       Maker{7, 22, "Avexir"},
    Maker{7, 29, "Rambus"},       Maker{7, 52, "Super Talent"},  Maker{7, 65, "Asint"},
    Maker{7, 81, "Kinglife"},     Maker{7, 83, "Silicon Power"}, Maker{7, 94, "Lexar"},
    Maker{7, 105, "SanMax"},      Maker{7, 107, "TwinMOS"},      Maker{7, 113, "Innodisk"},
    Maker{8, 3, "Strontium"},     Maker{8, 16, "Kingtiger"},     Maker{8, 37, "Ramos"},
    Maker{8, 46, "Topower"},      Maker{8, 50, "Ritek"},         Maker{8, 93, "GOODRAM"},
    Maker{8, 99, "OCMemory"},     Maker{8, 104, "KingboMars"},   Maker{8, 106, "Transcend"},
    Maker{8, 111, "Zentel"},      Maker{8, 114, "Lite-On"},      Maker{9, 18, "Galaxy"},
    Maker{9, 19, "Gloway"},       Maker{9, 24, "KLEVV"},         Maker{9, 51, "Memory Solution"},
    Maker{9, 72, "Lenovo"},       Maker{9, 89, "EVGA"},          Maker{9, 113, "Asgard"},
    Maker{9, 117, "Juhor"},       Maker{10, 3, "HPE"},           Maker{10, 36, "RamCENTER"},
    Maker{10, 66, "Kllisre"},     Maker{10, 108, "Colorful"},    Maker{10, 114, "Gigabyte"},
    Maker{10, 119, "Netac"},      Maker{10, 120, "PCCooler"},    Maker{11, 2, "KingSpec"},
    Maker{11, 17, "CXMT"},        Maker{11, 45, "Puskill"},      Maker{11, 49, "Biwin"},
    Maker{11, 66, "Thermaltake"}, Maker{11, 107, "Acer"},        Maker{11, 118, "Lexar"},
    Maker{11, 125, "Juhor"},      Maker{12, 18, "Kingbank"},     Maker{12, 44, "Hikvision"},
    Maker{12, 92, "ASUS"},        Maker{13, 38, "Timetec"},      Maker{13, 93, "OLOy"},
    Maker{13, 97, "Rochester"},   Maker{13, 124, "Hikvision"},   Maker{13, 125, "Dell"},
};

constexpr bool before(const Maker& a, const Maker& b) {
    return a.bank != b.bank ? a.bank < b.bank : a.number < b.number;
}

static_assert(std::ranges::is_sorted(kMakers, before), "the lookup below searches by halves");

}  // namespace

std::optional<std::string_view> jep106Maker(int bank, std::uint8_t code) {
    if (bank < 1 || bank > 255) return std::nullopt;
    const Maker key{static_cast<std::uint8_t>(bank), static_cast<std::uint8_t>(code & 0x7F), {}};
    const auto found = std::ranges::lower_bound(kMakers, key, before);
    if (found == kMakers.end() || found->bank != key.bank || found->number != key.number) {
        return std::nullopt;
    }
    return found->name;
}

std::optional<Jep106Code> jep106CodeFromBankText(std::string_view text) {
    constexpr std::string_view kBank = "Bank ";
    constexpr std::string_view kHex = ", Hex 0x";
    const auto hex = text.find(kHex);
    if (!text.starts_with(kBank) || hex == std::string_view::npos) return std::nullopt;
    const auto bank = parseInteger(text.substr(kBank.size(), hex - kBank.size()));
    const std::string_view digits = text.substr(hex + kHex.size());
    if (!bank || *bank < 1 || *bank > 128 || digits.size() != 2) return std::nullopt;
    const auto code = parseInteger(digits, 16);
    if (!code || *code <= 0) return std::nullopt;
    return Jep106Code{static_cast<int>(*bank), static_cast<std::uint8_t>(*code)};
}

}  // namespace kestrel
