#include "wiring/scan.h"

#include <clocale>

#include "inventory/inventory_scan.h"
#include "wiring/build_config.h"

namespace kestrel {

SystemInventory scan(ManagementService& service) {
    // Only numbers follow the user's locale: the rest of the scan's text handling must not change
    // with it, and loading the other categories would double kestrel-scan's start-up time.
    std::setlocale(LC_NUMERIC, "");
    return InventoryScan(service, ValueFormat(std::localeconv()->decimal_point),
                         {build::kSelectorHost, build::kSiteDomain})
        .run();
}

}  // namespace kestrel
