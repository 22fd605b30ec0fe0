#pragma once

#include <string>

#include "inventory/inventory_scan.h"
#include "inventory/management/management_table.h"
#include "inventory/recording_scan_target.h"

namespace kestrel::test {

// A scan over a JSON fixture into a recording window, as the command line runs it.
struct ScanRun {
    explicit ScanRun(const std::string& fixtureJson, std::string decimalSeparator = ".");

    // Runs the scan; returns its result text.
    std::string run();

    TableService service;
    SystemInventory inventory;
    RecordingScanTarget target{inventory};
    ValueFormat format;
};

inline const SelectorSite kTestSite{"selector.test", "site.test"};

// The fixture of the Acme machine, the worked example used throughout.
std::string acmeFixture();

}  // namespace kestrel::test
