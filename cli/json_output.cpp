#include "cli/json_output.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <optional>

#include "inventory/selector_request.h"
#include "inventory/text_helpers.h"

namespace kestrel::cli {
namespace {

using nlohmann::ordered_json;

// Bumped whenever a key is renamed, removed or changes its meaning; adding keys is not.
constexpr int kFormatVersion = 1;

// A text fact: null when the service gave none, else its text (a number a fixture gave for a
// text property in its general form, with a point).
ordered_json text(const InventoryValue& value) {
    if (value.isNull() || value.isEmpty()) return nullptr;
    return ValueFormat(".").text(value);
}

// A whole number the scan has checked: null when the service gave none.
ordered_json number(const InventoryValue& value) {
    const auto whole = requireUnsigned(value, 64);
    return whole ? ordered_json(*whole) : ordered_json(nullptr);
}

template <class Whole>
ordered_json number(const std::optional<Whole>& value) {
    return value ? ordered_json(*value) : ordered_json(nullptr);
}

ordered_json module(const MemoryModule& m) {
    return {{"locator", text(m.locator)},
            {"capacityBytes", number(m.capacityBytes)},
            {"memoryType", number(m.memoryType)},
            {"speedMHz", number(m.speedMHz)},
            {"manufacturer", text(m.manufacturer)},
            {"maker", m.maker ? ordered_json(*m.maker) : ordered_json(nullptr)}};
}

// DEL, the C1 controls and the line and paragraph separators written as \u escapes: JSON lets
// them stand raw in a string, where a terminal or a line-based reader would act on them. Only
// strings hold bytes above 0x7E, so every one found is inside a string.
std::string escapeInvisibles(const std::string& json) {
    std::string out;
    out.reserve(json.size());
    const auto escape = [&](char32_t code) {
        char buffer[12];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(code));
        out += buffer;
    };
    for (std::size_t i = 0; i < json.size(); ++i) {
        // The writer escaped every C0 control inside a string already; those left are its own
        // line breaks.
        const auto control = controlCharacterAt(json, i);
        if (control && control->code >= 0x7F) {
            escape(control->code);
            i += control->length - 1;
        } else {
            out += json[i];
        }
    }
    return out;
}

}  // namespace

std::string toJson(const SystemInventory& inv, const std::vector<std::string>& sources) {
    ordered_json modules = ordered_json::array();
    for (const MemoryModule& m : inv.modules) modules.push_back(module(m));

    const ordered_json document = {
        {"formatVersion", kFormatVersion},
        {"system",
         {{"manufacturer", text(inv.systemManufacturer)},
          {"model", text(selectorModel(inv))},
          {"systemType", text(inv.systemType)},
          {"vendor", text(inv.productVendor)},
          {"version", text(inv.productVersion)},
          {"identifyingNumber", text(inv.productIdentifyingNumber)}}},
        {"board",
         {{"manufacturer", text(inv.boardManufacturer)}, {"product", text(inv.boardProduct)}}},
        {"processor",
         {{"name", text(inv.processorName)},
          {"manufacturer", text(inv.processorManufacturer)},
          {"clockSpeedMHz", number(inv.processorClockSpeed)},
          {"externalClockMHz", number(inv.processorExtClock)}}},
        {"bios",
         {{"manufacturer", text(inv.biosManufacturer)}, {"version", text(inv.biosVersion)}}},
        {"memory",
         {{"installedBytes", number(inv.installedMemoryBytes)},
          {"maximumBytes", number(inv.maximumMemoryBytes)},
          {"slots", number(inv.memorySlots)}}},
        {"modules", modules},
        {"reportText", inv.reportText},
        {"selectorUrl", inv.selectorUrl},
        {"sources", sources},
    };
    // Replace rather than throw on bytes that are not UTF-8: firmware strings can hold anything.
    return escapeInvisibles(document.dump(2, ' ', false, ordered_json::error_handler_t::replace)) +
           "\n";
}

}  // namespace kestrel::cli
