#include "cli/options.h"

#include "inventory/text_helpers.h"

namespace kestrel::cli {

const char* usageText() {
    return "Usage: kestrel-scan [--report | --url | --json] [--fixture FILE | --from-dump FILE]\n"
           "\n"
           "Scans this machine's system and memory facts and prints them.\n"
           "\n"
           "Output (one of):\n"
           "  --report          the plain-text report, CR LF line ends (the default)\n"
           "  --url             the memory selector page address\n"
           "  --json            every scanned value, caption and list row as JSON\n"
           "\n"
           "Input (at most one; by default this machine, where on Linux a directory named by\n"
           "the environment variable KESTREL_ROOT stands in for the machine's file system):\n"
           "  --fixture FILE    answer the management queries from a JSON fixture file\n"
           "  --from-dump FILE  answer them from an SMBIOS dump (`dmidecode --dump-bin FILE`)\n"
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
        const std::string& arg = args[i];
        if (arg == "--report") {
            chooseOutput(Output::Report, arg);
        } else if (arg == "--url") {
            chooseOutput(Output::Url, arg);
        } else if (arg == "--json") {
            chooseOutput(Output::Json, arg);
        } else if (arg == "--fixture" || arg == "--from-dump") {
            if (i + 1 == args.size()) throw UsageError{arg + " needs a file name"};
            if (!std::holds_alternative<ThisMachine>(options.input)) {
                throw UsageError{"give one input, --fixture FILE or --from-dump FILE"};
            }
            const std::string& file = args[++i];
            if (arg == "--fixture") {
                options.input = FixtureFile{file};
            } else {
                options.input = DumpFile{file};
            }
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            throw UsageError{"unknown argument " + quoteValue(arg)};
        }
    }
    return options;
}

}  // namespace kestrel::cli
