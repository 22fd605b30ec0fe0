#include "cli/json_output.h"

#include <nlohmann/json.hpp>

#include <type_traits>

#include "inventory/controls.h"
#include "inventory/inventory_fields.h"
#include "inventory/overloaded.h"

namespace kestrel::cli {
namespace {

using nlohmann::ordered_json;

ordered_json toJson(const InventoryValue& value) {
    return std::visit(Overloaded{
                          [](const InventoryValue::Empty&) { return ordered_json(nullptr); },
                          [](const InventoryValue::Null&) { return ordered_json(nullptr); },
                          [](std::int64_t v) { return ordered_json(v); },
                          [](double v) { return ordered_json(v); },
                          [](const std::string& v) { return ordered_json(v); },
                      },
                      value.storage());
}

}  // namespace

std::string toJson(const SystemInventory& inv, const RecordingScanTarget& target,
                   const std::vector<std::string>& sources) {
    ordered_json fields;
    for (const InventoryField& field : kInventoryFields) {
        if (field.jsonKey.empty()) continue;
        fields[std::string(field.jsonKey)] = std::visit(
            [&](auto member) {
                const auto& value = inv.*member;
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, InventoryValue>) {
                    return toJson(value);
                } else {
                    return ordered_json(value);
                }
            },
            field.member);
    }

    // Every caption the scan wrote, by control name.
    ordered_json captions = ordered_json::object();
    for (const auto& [label, caption] : target.captions()) captions[label] = caption;
    ordered_json lists;
    for (const auto list : {controls::kSlotsList, controls::kMemoryList, controls::kSpeedList}) {
        lists[std::string(list)] = target.rows(list);
    }

    ordered_json document;
    document["inventory"] = fields;
    document["captions"] = captions;
    document["lists"] = lists;
    document["moduleCount"] = inv.moduleCount;
    document["reportText"] = inv.reportText;
    document["selectorUrl"] = inv.selectorUrl;
    document["sources"] = sources;
    // Replace rather than throw on bytes that are not UTF-8: firmware strings can hold anything.
    return document.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace kestrel::cli
