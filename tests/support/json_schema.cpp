#include "json_schema.h"

#include <filesystem>
#include <fstream>

#include "process_runner.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kestrel::test {
namespace {

unsigned long processId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

}  // namespace

std::string schemaViolations(const std::vector<std::string>& documents) {
    // The validator is a program of the host, so the documents go where it can read them by
    // their Unix names: a Windows test under Wine reaches the same folder through its drive.
    static int calls = 0;
    const std::string prefix = KESTREL_SCHEMA_SCRATCH "/json-" + std::to_string(processId()) + "-" +
                               std::to_string(++calls) + "-";
    std::vector<std::string> args{KESTREL_SCHEMA_CHECKER, KESTREL_SCHEMA};
    std::vector<std::filesystem::path> written;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::string name = prefix + std::to_string(i) + ".json";
        written.emplace_back(KESTREL_TARGET_ROOT + name);
        std::ofstream(written.back(), std::ios::binary) << documents[i];
        args.push_back(name);
    }
    const ProcessResult result = runProcess(KESTREL_TARGET_ROOT KESTREL_SCHEMA_PYTHON, args);
    for (const auto& file : written) std::filesystem::remove(file);
    if (result.exitCode == 0) return "";
    std::string violations = result.out + result.err;
    for (std::size_t at; (at = violations.find(prefix)) != std::string::npos;) {
        violations.replace(at, prefix.size(), "document ");
    }
    return violations.empty() ? "the validator ended with status " + std::to_string(result.exitCode)
                              : violations;
}

}  // namespace kestrel::test
