#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrel::cli {

enum class Output { Report, Url, Json };

struct Options {
    Output output = Output::Report;
    std::optional<std::string> fixture;   // --fixture FILE
    std::optional<std::string> fromDump;  // --from-dump FILE
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
