// kestrel-scan on this Windows's own instrumentation (Wine's, when the tests run there).
#include <gtest/gtest.h>
#include <windows.h>

#include <nlohmann/json.hpp>

#include "json_schema.h"
#include "process_runner.h"
#include "wine.h"

namespace kestrel::test {
namespace {

// The report's lines; fails the test unless every line ends in exactly one CR LF.
std::vector<std::string> crLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray CR or LF: " << line;
    }
    return lines;
}

std::uint64_t totalPhysicalMemory() {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    EXPECT_TRUE(GlobalMemoryStatusEx(&memory));
    return memory.ullTotalPhys;
}

TEST(KestrelScanMachine, ReportsThisMachineIn35CrLfLines) {
    const ProcessResult result = runProcess(KESTREL_SCAN, {"--report"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = crLfLines(result.out);
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[0], "************System**********");
    EXPECT_EQ(lines[25], "************Memory Details**********");
    EXPECT_TRUE(lines[28].starts_with("Installed RAM: ")) << lines[28];
    EXPECT_TRUE(lines[34].starts_with("Slots: ")) << lines[34];

    const ProcessResult json = runProcess(KESTREL_SCAN, {"--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(schemaViolations(json.out), "");
    EXPECT_EQ(nlohmann::json::parse(json.out)["reportText"], result.out);
}

TEST(KestrelScanMachine, WhatWineReports) {
    if (!runningUnderWine()) GTEST_SKIP() << "Wine's fixed answers only";
    const ProcessResult report = runProcess(KESTREL_SCAN, {"--report"});
    ASSERT_EQ(report.exitCode, 0) << report.err;
    const std::vector<std::string> lines = crLfLines(report.out);
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[6], "System Type: x64 based PC");
    EXPECT_EQ(lines[18], "Processor FSB: ") << "Wine has no ExtClock: Null, shown blank";
    EXPECT_EQ(lines[29], "Maximum RAM: 0 MB") << "Wine has no memory array";
    EXPECT_EQ(lines[30], "Total Slots: ");
    EXPECT_EQ(lines[33], "Speed:  MHz,") << "one module, without Speed";

    const ProcessResult result = runProcess(KESTREL_SCAN, {"--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(schemaViolations(result.out), "");
    const auto doc = nlohmann::json::parse(result.out);
    EXPECT_EQ(doc["sources"], nlohmann::json::array({"wmi"}));
    EXPECT_TRUE(doc["processor"]["externalClockMHz"].is_null());
    EXPECT_TRUE(doc["processor"]["clockSpeedMHz"].is_number_integer());
    EXPECT_TRUE(doc["processor"]["name"].is_string());
    EXPECT_TRUE(doc["memory"]["maximumBytes"].is_null()) << "no memory array";
    EXPECT_TRUE(doc["memory"]["slots"].is_null());

    // Both sizes arrive as 64-bit decimal text; Wine reports all memory as one module.
    const std::uint64_t total = totalPhysicalMemory();
    EXPECT_EQ(doc["memory"]["installedBytes"], total);
    ASSERT_EQ(doc["modules"].size(), 1u);
    const auto& module = doc["modules"][0];
    EXPECT_EQ(module["capacityBytes"], total);
    EXPECT_TRUE(module["speedMHz"].is_null());
    EXPECT_TRUE(module["memoryType"].is_number_integer()) << module;
}

}  // namespace
}  // namespace kestrel::test
