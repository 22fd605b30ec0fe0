#pragma once

#include <string>
#include <vector>

namespace kestrel::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), waits for it and collects its output.
// extraEnvironment holds NAME=VALUE entries added to this process's environment.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnvironment = {});

}  // namespace kestrel::test
