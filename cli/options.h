#pragma once

#include <string>
#include <vector>

#include "wiring/data_source.h"

namespace kestrel::cli {

enum class Output { Report, Url, Json };

struct Options {
    Output output = Output::Report;
    DataSource input;  // --fixture FILE, --from-dump FILE, else this machine
    bool help = false;
    bool version = false;
};

// Throws UsageError for anything it does not understand.
Options parseOptions(const std::vector<std::string>& args);

struct UsageError {
    std::string message;
};

const char* usageText();

}  // namespace kestrel::cli
