// kestrel-scan reading a Linux machine: this one, and machines stood up from files.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "fake_root.h"
#include "json_schema.h"
#include "process_runner.h"

namespace kestrel::test {
namespace {

ProcessResult scanRoot(const FakeRoot& root, const std::vector<std::string>& args) {
    return runProcess(KESTREL_SCAN, args, {"KESTREL_ROOT=" + root.path().string()});
}

std::size_t lineCount(const std::string& report) {
    std::size_t lines = 0;
    for (auto at = report.find("\r\n"); at != std::string::npos; at = report.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

TEST(KestrelScanMachine, ReadsThisMachine) {
    const ProcessResult result = runProcess(KESTREL_SCAN, {});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(lineCount(result.out), 35u);
    EXPECT_EQ(result.out.find("Installed RAM: 0 MB"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Processor: \r\n"), std::string::npos) << result.out;
}

TEST(KestrelScanMachine, ARootThatIsNoDirectoryIsAnError) {
    for (const std::string root : {"/nonexistent/root", "/dev/null"}) {
        const ProcessResult result = runProcess(KESTREL_SCAN, {}, {"KESTREL_ROOT=" + root});
        EXPECT_EQ(result.exitCode, 1) << root;
        EXPECT_EQ(result.err,
                  "kestrel-scan: KESTREL_ROOT=" + root + ": there is no such directory\n");
        EXPECT_EQ(result.out, "");
    }
}

TEST(KestrelScanMachine, FakeRootWithTheTableAsRoot) {
    const FakeRoot root({"--dump", smbiosData("systemd/Lenovo-Thinkcentre-m720s.bin")});
    const ProcessResult result = scanRoot(root, {"--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(schemaViolations(result.out), "");
    const auto doc = nlohmann::json::parse(result.out);
    EXPECT_EQ(doc["sources"], nlohmann::json::array({"smbios", "proc"}));
    EXPECT_EQ(doc["system"]["manufacturer"], "LENOVO");
    // /proc is the dumped machine's too: its processor, and its modules' 24 GB less what
    // firmware and the kernel keep.
    EXPECT_EQ(doc["processor"]["name"], "Intel(R) Core(TM) i5-8600K CPU @ 3.60GHz");
    EXPECT_EQ(doc["processor"]["clockSpeedMHz"], 3600);
    const double gigabytes = doc["memory"]["installedBytes"].get<double>() / (1 << 30);
    EXPECT_EQ(std::nearbyint(gigabytes * 100) / 100, 23.5) << doc["memory"];
    EXPECT_EQ(doc["memory"]["slots"], 4);
    ASSERT_EQ(doc["modules"].size(), 3u);
    std::vector<std::string> makers;
    for (const auto& module : doc["modules"]) {
        EXPECT_EQ(module["capacityBytes"], 8589934592) << module;
        makers.push_back(module["maker"]);
    }
    EXPECT_EQ(makers, (std::vector<std::string>{"Samsung", "Crucial", "Crucial"}));
}

TEST(KestrelScanMachine, NoDmiSaysWhatIsMissingAndReportsTheRest) {
    const FakeRoot root({"--memtotal-kb", "8281404"});
    const ProcessResult result = scanRoot(root, {});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err,
              "kestrel-scan: this machine has no SMBIOS table and no udev memory data: memory "
              "module details are not available\n");
    EXPECT_NE(result.out.find("System Type: x64-based PC\r\n"), std::string::npos);
    EXPECT_NE(result.out.find("Processor: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\r\n"),
              std::string::npos);
    EXPECT_NE(result.out.find("Installed RAM: 7.9 GB\r\n"), std::string::npos);
}

TEST(KestrelScanMachine, OddKernelFilesGiveCleanTextAndSayWhatWasLeftOut) {
    const FakeRoot root({});
    root.write("/proc/sys/kernel/arch", "x86_64\xE9\x81\n");
    root.write("/proc/meminfo", "MemTotal: 99999999999999999 kB\n");
    const ProcessResult result = scanRoot(root, {});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("\r\nSystem Type: x86_64\u00e9 \r\n"), std::string::npos)
        << "read as Windows-1252, the C1 control blanked: " << result.out;
    EXPECT_NE(result.err.find("kestrel-scan: /proc/meminfo gives \"MemTotal\" as "
                              "\"99999999999999999 kB\", not a size; it is not used\n"),
              std::string::npos)
        << result.err;
}

// Runs kestrel-scan as an unprivileged user against a root whose table only root may read.
TEST(KestrelScanMachine, WithoutRootTheUdevDatabaseStandsIn) {
    if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0) {
        GTEST_SKIP() << "needs root and setpriv to drop to an unprivileged user";
    }
    const FakeRoot root({"--dump", smbiosData("systemd/HP-Z600.bin"), "--udev",
                         smbiosData("systemd/HP-Z600.bin.txt"), "--dmi-id", "sys_vendor=HP"});
    chmod(root.path().c_str(), 0755);
    chmod((root.path() / "sys/firmware/dmi/tables/DMI").c_str(), 0400);
    const ProcessResult result = runProcess(
        "/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", KESTREL_SCAN},
        {"KESTREL_ROOT=" + root.path().string()});
    if (result.exitCode == 126 || result.exitCode == 127) {
        GTEST_SKIP() << "the unprivileged user cannot reach the build: " << result.err;
    }
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err,
              "kestrel-scan: the SMBIOS table needs root: memory details come from the udev "
              "database and the serial number is not available\n");
    EXPECT_NE(result.out.find("Slots: CPU0 DIMM1,CPU0 DIMM2,CPU1 DIMM1,CPU1 DIMM2,\r\n"),
              std::string::npos)
        << result.out;
}

}  // namespace
}  // namespace kestrel::test
