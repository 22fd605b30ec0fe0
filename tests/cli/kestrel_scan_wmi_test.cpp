// kestrel-scan on this Windows's own instrumentation (Wine's, when the tests run there).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

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
    const auto doc = nlohmann::json::parse(result.out);
    const auto& inventory = doc["inventory"];
    EXPECT_EQ(doc["moduleCount"], 1);
    for (const char* list : {"slotsLst", "memoryLst", "speedLst"}) {
        EXPECT_EQ(doc["lists"][list].size(), 1u) << list;
    }
    EXPECT_EQ(doc["lists"]["speedLst"][0], " MHz");
    EXPECT_EQ(doc["captions"]["Label37"], "  (Currently Memory in 1 Slots)");
    EXPECT_TRUE(inventory["processorExtClock"].is_null());
    EXPECT_TRUE(inventory["processorClockSpeed"].is_number_integer());
    EXPECT_TRUE(inventory["processorName"].is_string());

    // Both sizes arrive as 64-bit decimal text; Wine reports all memory as one module.
    const double total = static_cast<double>(totalPhysicalMemory());
    EXPECT_EQ(inventory["installedMemoryGB"].get<double>(),
              std::nearbyint(total / (1 << 30) * 100) / 100);
    const std::string capacities = inventory["moduleCapacities"];
    ASSERT_TRUE(capacities.ends_with(" MB,")) << capacities;
    EXPECT_DOUBLE_EQ(std::stod(capacities) * (1 << 20), total) << capacities;
    const std::string types = inventory["moduleMemoryTypes"];
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    EXPECT_TRUE(types.size() > 1 && types.ends_with(",") &&
                std::all_of(types.begin(), types.end() - 1, isDigit))
        << "one numeric code: " << types;
}

}  // namespace
}  // namespace kestrel::test
