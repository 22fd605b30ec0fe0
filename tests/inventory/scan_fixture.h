#pragma once

#include <string>
#include <vector>

#include "inventory/inventory_fields.h"
#include "inventory/inventory_scan.h"
#include "inventory/management/management_table.h"

namespace kestrel::test {

// A scan over a JSON fixture, as the command line runs it.
struct ScanRun {
    explicit ScanRun(const std::string& fixtureJson, std::string decimalSeparator = ".");

    // Runs the scan into inventory; a failure throws and leaves inventory as it was.
    void run();

    // A field's text as a window or the report shows it.
    std::string text(InventoryField::Member field) const { return shownText(inventory, field); }
    // One column of the module lists, a row per module: locator, size or speed.
    std::vector<std::string> rows(std::string SystemInventory::ModuleRow::*column) const;

    TableService service;
    SystemInventory inventory;
    ValueFormat format;
};

inline const SelectorSite kTestSite{"selector.test", "site.test"};

// The fixture of the Acme machine, the worked example used throughout.
std::string acmeFixture();

}  // namespace kestrel::test
