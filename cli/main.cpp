// kestrel-scan: the same scan as the main window, printed instead of shown.
#include <clocale>
#include <exception>
#include <iostream>
#include <memory>

#include "cli/json_output.h"
#include "cli/options.h"
#include "inventory/build_config.h"
#include "inventory/inventory_scan.h"
#include "inventory/management/management_table.h"
#include "inventory/recording_scan_target.h"
#include "platform/fixture/fixture_reader.h"
#include "platform/machine_service.h"
#include "platform/smbios/smbios_classes.h"
#include "platform/smbios/smbios_table.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kScanFailed = 1;
constexpr int kUsageError = 2;

std::unique_ptr<kestrel::ManagementService> openService(const kestrel::cli::Options& options,
                                                        kestrel::MachineSources& sources) {
    if (options.fixture) {
        sources.answered.push_back("fixture");
        return std::make_unique<kestrel::TableService>(kestrel::readFixtureFile(*options.fixture));
    }
    if (options.fromDump) {
        const auto table = kestrel::smbios::readDumpFile(*options.fromDump);
        if (table.damage) {
            std::cerr << "kestrel-scan: warning: " << *options.fromDump << ": " << *table.damage
                      << "; using the " << table.structures.size() << " structures before it\n";
        }
        sources.answered.push_back("smbios");
        return std::make_unique<kestrel::TableService>(kestrel::smbios::classesFromTable(table));
    }
    auto service = kestrel::openMachineService(&sources);
    for (const auto& notice : sources.notices) std::cerr << "kestrel-scan: " << notice << '\n';
    return service;
}

// The same bytes on every system: Windows would otherwise turn each "\n" into "\r\n", and the
// report's own CR LF into CR CR LF.
void writeBinaryOutput() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

int run(const kestrel::cli::Options& options) {
    kestrel::MachineSources sources;
    auto service = openService(options, sources);
    kestrel::SystemInventory inventory;
    kestrel::RecordingScanTarget target(inventory);
    kestrel::InventoryScan scan(*service, target, inventory,
                                kestrel::ValueFormat(std::localeconv()->decimal_point),
                                {kestrel::build::kSelectorHost, kestrel::build::kSiteDomain});
    scan.run();
    switch (options.output) {
        case kestrel::cli::Output::Report:
            std::cout << inventory.reportText;
            break;
        case kestrel::cli::Output::Url:
            std::cout << inventory.selectorUrl << '\n';
            break;
        case kestrel::cli::Output::Json:
            std::cout << kestrel::cli::toJson(inventory, target, sources.answered);
            break;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Only numbers follow the locale; loading its other categories would double the start-up time.
    std::setlocale(LC_NUMERIC, "");
    writeBinaryOutput();
    std::ios::sync_with_stdio(true);
    kestrel::cli::Options options;
    try {
        options = kestrel::cli::parseOptions({argv + 1, argv + argc});
    } catch (const kestrel::cli::UsageError& e) {
        std::cerr << "kestrel-scan: " << e.message << "\n" << kestrel::cli::usageText();
        return kUsageError;
    }
    if (options.help) {
        std::cout << kestrel::cli::usageText();
        return 0;
    }
    if (options.version) {
        std::cout << "kestrel-scan " << kestrel::build::kVersion << '\n';
        return 0;
    }
    // Every failure, whoever raised it (a library's own exception, memory running out), ends
    // in one line and the same status.
    try {
        return run(options);
    } catch (const std::exception& e) {
        std::cerr << "kestrel-scan: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "kestrel-scan: the scan failed with an unknown error\n";
    }
    return kScanFailed;
}
