#include "inventory/selector_request.h"

namespace kestrel {

InventoryValue selectorModel(const SystemInventory& inventory) {
    const auto* model = std::get_if<std::string>(&inventory.systemModel.storage());
    return model && *model == "Not Available" ? inventory.boardProduct : inventory.systemModel;
}

std::string percentEncode(std::string_view text) {
    static constexpr std::string_view kKept = "-._~!$()*,:@/?";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // ASCII letters and digits only: the locale's idea of a letter must not change the bytes.
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alnum || kKept.find(c) != std::string_view::npos) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string buildSelectorUrl(const SystemInventory& inv, const SelectorSite& site) {
    const auto value = [&](const InventoryValue& v) { return percentEncode(inv.format.text(v)); };
    return "http://" + site.host + "/selector/kestrel.asp?manufacturer%20=%20" +
           value(inv.systemManufacturer) + "&mdlname=" + value(selectorModel(inv)) +
           "&bName=" + value(inv.boardProduct) +
           "&maxmemory=" + percentEncode(inv.maximumMemoryText) +
           "&totalslots=" + percentEncode(inv.slotSummaryText) +
           "&memoryspeeds=" + value(inv.moduleSpeeds) +
           "&memorysize=" + value(inv.moduleCapacities) +
           "&processorspeed=" + value(inv.processorClockSpeed) + "&site=" + site.siteDomain;
}

}  // namespace kestrel
