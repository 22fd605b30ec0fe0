#include "cli/options.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "inventory/text_helpers.h"

namespace kestrel::cli {
namespace {

// The options that take no value.
constexpr std::array<std::string_view, 6> kFlags{"--report", "--url", "--json",
                                                 "--help",   "-h",    "--version"};

}  // namespace

const char* usageText() {
    return "Usage: kestrel-scan [--report | --url | --json] [--fixture FILE | --from-dump FILE]\n"
           "\n"
           "Scans this machine's system and memory facts and prints them.\n"
           "\n"
           "Output (one of):\n"
           "  --report          the plain-text report, CR LF line ends (the default)\n"
           "  --url             the memory selector page address\n"
           "  --json            the scanned facts as a JSON document, the report and the\n"
           "                    address included (format: kestrel-scan.schema.json)\n"
           "\n"
           "Input (at most one; by default this machine, where on Linux a directory named by\n"
           "the environment variable KESTREL_ROOT stands in for the machine's file system):\n"
           "  --fixture FILE    answer the management queries from a JSON fixture file\n"
           "  --from-dump FILE  answer them from an SMBIOS dump (`dmidecode --dump-bin FILE`)\n"
           "  (the file may also follow an equals sign: --from-dump=FILE)\n"
           "\n"
           "  --help            show this text\n"
           "  --version         show the version\n";
}

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    bool outputChosen = false;
    const auto chooseOutput = [&](Output output, const std::string& flag) {
        if (outputChosen && options.output != output)
            throw UsageError{"choose one of --report, --url and --json, not " + flag + " as well"};
        options.output = output;
        outputChosen = true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        // "--fixture=FILE" is "--fixture FILE".
        std::string arg = args[i];
        std::optional<std::string> attached;
        if (const auto equals = arg.find('=');
            arg.starts_with("--") && equals != std::string::npos) {
            attached = arg.substr(equals + 1);
            arg.erase(equals);
        }
        if (arg == "--fixture" || arg == "--from-dump") {
            if (!attached && i + 1 == args.size()) throw UsageError{arg + " needs a file name"};
            const std::string file = attached ? *attached : args[++i];
            if (file.empty()) throw UsageError{arg + " needs a file name"};
            if (!std::holds_alternative<ThisMachine>(options.input)) {
                throw UsageError{"give one input, --fixture FILE or --from-dump FILE"};
            }
            if (arg == "--fixture") {
                options.input = FixtureFile{file};
            } else {
                options.input = DumpFile{file};
            }
            continue;
        }
        const auto known = std::ranges::find(kFlags, arg);
        if (known == kFlags.end()) throw UsageError{"unknown argument " + quoteValue(args[i])};
        if (attached) throw UsageError{arg + " takes no value"};
        if (arg == "--report") {
            chooseOutput(Output::Report, arg);
        } else if (arg == "--url") {
            chooseOutput(Output::Url, arg);
        } else if (arg == "--json") {
            chooseOutput(Output::Json, arg);
        } else if (arg == "--version") {
            options.version = true;
        } else {
            options.help = true;
        }
    }
    return options;
}

}  // namespace kestrel::cli
