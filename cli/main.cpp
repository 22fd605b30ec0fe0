// kestrel-scan: the same scan as the main window, printed instead of shown.
#include <exception>
#include <iostream>

#include "cli/json_output.h"
#include "cli/options.h"
#include "inventory/recording_scan_target.h"
#include "wiring/build_config.h"
#include "wiring/data_source.h"
#include "wiring/run_scan.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kScanFailed = 1;
constexpr int kUsageError = 2;

// The same bytes on every system: Windows would otherwise turn each "\n" into "\r\n", and the
// report's own CR LF into CR CR LF.
void writeBinaryOutput() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

int run(const kestrel::cli::Options& options) {
    const kestrel::OpenedSource source = kestrel::openDataSource(options.input);
    for (const auto& notice : source.sources.notices)
        std::cerr << "kestrel-scan: " << notice << '\n';
    kestrel::SystemInventory inventory;
    kestrel::RecordingScanTarget target(inventory);
    kestrel::runScan(*source.service, target, inventory);
    switch (options.output) {
        case kestrel::cli::Output::Report:
            std::cout << inventory.reportText;
            break;
        case kestrel::cli::Output::Url:
            std::cout << inventory.selectorUrl << '\n';
            break;
        case kestrel::cli::Output::Json:
            std::cout << kestrel::cli::toJson(inventory, target, source.sources.answered);
            break;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
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
