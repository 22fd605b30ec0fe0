#include "inventory/management/schema.h"

#include <algorithm>

#include "inventory/text_helpers.h"

namespace kestrel::schema {

const ManagementClass* findClass(std::string_view name) {
    static constexpr std::array kClasses{
        &kComputerSystem, &kPhysicalMemoryArray,   &kPhysicalMemory, &kProcessor,
        &kBios,           &kComputerSystemProduct, &kBaseboard};
    const auto found = std::ranges::find_if(kClasses, [&](const ManagementClass* known) {
        return equalsIgnoringCase(known->name, name);
    });
    return found == kClasses.end() ? nullptr : *found;
}

bool hasProperty(const ManagementClass& managementClass, std::string_view name) {
    return std::ranges::any_of(managementClass.properties, [&](std::string_view known) {
        return equalsIgnoringCase(known, name);
    });
}

}  // namespace kestrel::schema
