// kestrel-scan: the same scan as the main window, printed instead of shown.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/json_output.h"
#include "cli/options.h"
#include "inventory/error.h"
#include "inventory/text_helpers.h"
#include "wiring/build_config.h"
#include "wiring/data_source.h"
#include "wiring/scan.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// After the version line: the copyright as LICENSE gives it, and the licence (a paragraph of
// its own in the manual page).
constexpr const char* kCopyright =
    "Copyright (c) 2026 Kestrel Memory\n"
    "\n"
    "Licence: MIT. This is free software: you may use, copy, change and pass it on.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

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

// Every line on stderr is one "kestrel-scan:" line, whatever the message holds: a value that
// reaches a message (a file name, a library's text) must neither add lines nor drive the
// terminal.
void say(std::string_view message) {
    std::cerr << "kestrel-scan: " << kestrel::trimTrailingBlanks(kestrel::blankControls(message))
              << '\n';
}

// The output, flushed and checked: a report lost to a full disk or a closed stdout must not
// pass for success.
void writeOutput(std::string_view text, const char* what) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
        std::fflush(stdout) == 0) {
        return;
    }
    throw kestrel::Error(std::string("cannot write the ") + what + ": " + std::strerror(errno));
}

int run(const kestrel::cli::Options& options) {
    const kestrel::OpenedSource source = kestrel::openDataSource(options.input);
    for (const auto& notice : source.sources.notices) say(notice);
    const kestrel::SystemInventory inventory = kestrel::scan(*source.service);
    switch (options.output) {
        case kestrel::cli::Output::Report:
            writeOutput(inventory.reportText, "report");
            break;
        case kestrel::cli::Output::Url:
            writeOutput(inventory.selectorUrl + '\n', "address");
            break;
        case kestrel::cli::Output::Json:
            writeOutput(kestrel::cli::toJson(inventory, source.sources.answered), "JSON document");
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
        // Two "kestrel-scan:" lines, not the whole help: the mistake, then where help is.
        say(e.message);
        say("Try 'kestrel-scan --help'.");
        return kUsageError;
    }
    // Every failure, whoever raised it (a library's own exception, memory running out, the
    // output), ends in one line and the same status.
    try {
        if (options.help) {
            writeOutput(kestrel::cli::usageText(), "help text");
            return 0;
        }
        if (options.version) {
            writeOutput(std::string("kestrel-scan ") + kestrel::build::kVersion + '\n' + kCopyright,
                        "version");
            return 0;
        }
        return run(options);
    } catch (const std::exception& e) {
        say(e.what());
    } catch (...) {
        say("the scan failed with an unknown error");
    }
    return kScanFailed;
}
