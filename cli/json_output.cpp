#include "cli/json_output.h"

#include <nlohmann/json.hpp>

#include "inventory/controls.h"
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
    fields["systemManufacturer"] = toJson(inv.systemManufacturer);
    fields["systemModel"] = toJson(inv.systemModel);
    fields["systemType"] = toJson(inv.systemType);
    fields["installedMemoryGB"] = inv.installedMemoryGB;
    fields["maximumMemoryGB"] = inv.maximumMemoryGB;
    fields["memorySlots"] = toJson(inv.memorySlots);
    fields["moduleCapacities"] = toJson(inv.moduleCapacities);
    fields["moduleMemoryTypes"] = toJson(inv.moduleMemoryTypes);
    fields["moduleSpeeds"] = toJson(inv.moduleSpeeds);
    fields["moduleLocators"] = toJson(inv.moduleLocators);
    fields["moduleManufacturers"] = toJson(inv.moduleManufacturers);
    fields["memoryMakers"] = inv.memoryMakers;
    fields["moduleCount"] = inv.moduleCount;
    fields["processorName"] = toJson(inv.processorName);
    fields["processorManufacturer"] = toJson(inv.processorManufacturer);
    fields["processorClockSpeed"] = toJson(inv.processorClockSpeed);
    fields["processorExtClock"] = toJson(inv.processorExtClock);
    fields["biosManufacturer"] = toJson(inv.biosManufacturer);
    fields["biosVersion"] = toJson(inv.biosVersion);
    fields["productIdentifyingNumber"] = toJson(inv.productIdentifyingNumber);
    fields["productVendor"] = toJson(inv.productVendor);
    fields["productVersion"] = toJson(inv.productVersion);
    fields["boardManufacturer"] = toJson(inv.boardManufacturer);
    fields["boardProduct"] = toJson(inv.boardProduct);

    ordered_json captions = ordered_json::object();
    for (const auto label : controls::kValueLabels) {
        captions[std::string(label)] = target.caption(label);
    }
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
