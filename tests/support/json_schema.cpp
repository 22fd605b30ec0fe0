#include "json_schema.h"

#include <gtest/gtest.h>

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

// "Suite.Test-": the test that made a document, so that a violation found later names it.
std::string testName() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test ? std::string(test->test_suite_name()) + "." + test->name() + "-" : "";
}

}  // namespace

std::string schemaViolations(const std::vector<std::string>& documents) {
    // A folder the host's validator reads by its Unix name, which a Windows program under
    // Wine reaches through its drive.
    static int calls = 0;
    const std::string prefix = KESTREL_JSON_DOCUMENTS "/" + testName() +
                               std::to_string(processId()) + "-" + std::to_string(++calls) + "-";
    std::filesystem::create_directories(KESTREL_TARGET_ROOT KESTREL_JSON_DOCUMENTS);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        names.push_back(prefix + std::to_string(i) + ".json");
        std::ofstream(KESTREL_TARGET_ROOT + names.back(), std::ios::binary) << documents[i];
    }
#ifdef _WIN32
    return "";
#else
    std::vector<std::string> args{KESTREL_SCHEMA_CHECKER, KESTREL_SCHEMA};
    args.insert(args.end(), names.begin(), names.end());
    const ProcessResult result = runProcess(KESTREL_SCHEMA_PYTHON, args);
    for (const auto& name : names) std::filesystem::remove(name);
    if (result.exitCode == 0) return "";
    const std::string violations = result.out + result.err;
    return violations.empty() ? "the validator ended with status " + std::to_string(result.exitCode)
                              : violations;
#endif
}

}  // namespace kestrel::test
