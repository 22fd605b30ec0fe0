#include "cli/options.h"

namespace kestrel::cli {

const char* usageText() {
    return "Usage: kestrel-scan [--report | --url | --json] [--fixture FILE]\n"
           "\n"
           "Scans this machine's system and memory facts and prints them.\n"
           "\n"
           "Output (one of):\n"
           "  --report        the plain-text report, CR LF line ends (the default)\n"
           "  --url           the memory selector page address\n"
           "  --json          every scanned value, caption and list row as JSON\n"
           "\n"
           "Input:\n"
           "  --fixture FILE  answer the management queries from a JSON fixture file\n"
           "\n"
           "  --help          show this text\n"
           "  --version       show the version\n";
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
        } else if (arg == "--fixture") {
            if (i + 1 == args.size()) throw UsageError{"--fixture needs a file name"};
            if (options.fixture) throw UsageError{"--fixture given twice"};
            options.fixture = args[++i];
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            throw UsageError{"unknown argument \"" + arg + "\""};
        }
    }
    return options;
}

}  // namespace kestrel::cli
