// Drives the kestrel-scan executable as a user would.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "process_runner.h"

namespace kestrel::test {
namespace {

const std::string kAcme = KESTREL_TEST_DATA "/fixtures/acme.json";
const std::string kDumps = KESTREL_TEST_DATA "/smbios/";

ProcessResult scan(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    return runProcess(KESTREL_SCAN, args, env);
}

TEST(KestrelScan, PrintsTheReportByDefaultWithCrLfAndNothingElse) {
    const ProcessResult result = scan({"--fixture", kAcme});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(
        result.out.starts_with("************System**********\r\n\r\nSystem Manufacturer:Acme"));
    EXPECT_TRUE(result.out.ends_with("Slots: DIMM 1,DIMM 2,\r\n"));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(scan({"--report", "--fixture", kAcme}).out, result.out);
}

TEST(KestrelScan, UrlEndsInOneLineFeed) {
    const ProcessResult result = scan({"--url", "--fixture", kAcme});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(
        result.out.starts_with("http://www.kestrel-memory.example/selector/kestrel.asp?"
                               "manufacturer%20=%20Acme%20Computers&mdlname=AC-22&"));
    EXPECT_TRUE(result.out.ends_with("&site=kestrel-memory.example\n"));
    EXPECT_EQ(result.out.find('\n'), result.out.size() - 1);
}

TEST(KestrelScan, JsonHoldsRecordCaptionsListsReportAndAddress) {
    const ProcessResult result = scan({"--json", "--fixture", kAcme});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto doc = nlohmann::json::parse(result.out);
    EXPECT_EQ(doc["inventory"]["systemModel"], "AC-22");
    EXPECT_EQ(doc["inventory"]["installedMemoryGB"], 2.0);
    EXPECT_EQ(doc["inventory"]["processorClockSpeed"], 2400);
    EXPECT_TRUE(doc["inventory"]["productVendor"].is_string());
    EXPECT_EQ(doc["inventory"]["moduleManufacturers"], "Acme RAM,Acme RAM,");
    EXPECT_EQ(doc["inventory"]["memoryMakers"], "Acme RAM");
    EXPECT_EQ(doc["captions"]["Label37"], "4  (Currently Memory in 2 Slots)");
    EXPECT_EQ(doc["captions"].size(), 18u);
    EXPECT_EQ(doc["lists"]["slotsLst"], nlohmann::json::array({"DIMM 1", "DIMM 2"}));
    EXPECT_EQ(doc["moduleCount"], 2);
    EXPECT_EQ(doc["reportText"], scan({"--fixture", kAcme}).out);
    EXPECT_EQ(doc["selectorUrl"].get<std::string>() + "\n",
              scan({"--url", "--fixture", kAcme}).out);
}

#ifndef _WIN32
// Windows takes the number format from the user's settings instead of LC_ALL: the Windows build
// tests it with kestrel_scan_c_locale and kestrel_scan_decimal_comma_locale.
TEST(KestrelScan, UsesTheLocaleDecimalSeparator) {
    // C.UTF-8 always exists; a decimal-comma locale only where it is generated.
    const ProcessResult c =
        scan({"--fixture", KESTREL_TEST_DATA "/fixtures/odd-sizes.json"}, {"LC_ALL=C.UTF-8"});
    ASSERT_EQ(c.exitCode, 0) << c.err;
    EXPECT_NE(c.out.find("Installed RAM: 7.9 GB\r\n"), std::string::npos);
    const ProcessResult german =
        scan({"--fixture", KESTREL_TEST_DATA "/fixtures/odd-sizes.json"}, {"LC_ALL=de_DE.UTF-8"});
    if (german.out.find("7,9 GB") == std::string::npos) {
        GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine";
    }
    EXPECT_NE(german.out.find("Capacity: 953,67431640625 MB,\r\n"), std::string::npos);
}
#endif

TEST(KestrelScan, ErrorsAndUsage) {
    const ProcessResult missing = scan({"--fixture", "/nonexistent.json"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "kestrel-scan: /nonexistent.json: cannot open\n");
    EXPECT_EQ(missing.out, "");

    const ProcessResult bad = scan({"--fixture", KESTREL_TEST_DATA "/fixtures/bad-capacity.json"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("Win32_PhysicalMemory.Capacity = \"8 GB\""), std::string::npos)
        << bad.err;

    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--bogus"}, {"--fixture"}, {"--url", "--json"}}) {
        const ProcessResult usage = scan(args);
        EXPECT_EQ(usage.exitCode, 2) << args[0];
        EXPECT_TRUE(usage.err.starts_with("kestrel-scan: ")) << usage.err;
        EXPECT_TRUE(usage.err.ends_with("\nkestrel-scan: Try 'kestrel-scan --help'.\n"))
            << usage.err;
    }
    EXPECT_EQ(scan({"--version"}).out, "kestrel-scan " KESTREL_VERSION "\n");
    EXPECT_NE(scan({"--help"}).out.find("--fixture FILE"), std::string::npos);
}

TEST(KestrelScan, EveryFailureIsOneClearLineAndStatusOne) {
    // A number past a double, raised by the JSON library, and files that cannot be read whole.
    const auto overflow = std::filesystem::temp_directory_path() /
                          ("kestrel-overflow-" + std::to_string(getpid()) + ".json");
    std::ofstream(overflow) << R"({"Win32_Bios":[{"Manufacturer":1e400}]})";
    const ProcessResult huge = scan({"--fixture", overflow.string()});
    std::filesystem::remove(overflow);
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_EQ(huge.err, "kestrel-scan: " + overflow.string() +
                            ": at /Win32_Bios/0/Manufacturer: number overflow parsing '1e400'\n");

    const ProcessResult directory = scan({"--fixture", KESTREL_TEST_DATA "/fixtures"});
    EXPECT_EQ(directory.exitCode, 1);
    EXPECT_EQ(directory.err,
              "kestrel-scan: " KESTREL_TEST_DATA "/fixtures: is a directory, not a file\n");
#ifndef _WIN32
    for (const char* option : {"--fixture", "--from-dump"}) {
        const ProcessResult endless = scan({option, "/dev/zero"});
        EXPECT_EQ(endless.exitCode, 1) << option;
        EXPECT_EQ(endless.err, "kestrel-scan: /dev/zero: larger than 16 MiB\n") << option;
    }
#endif
}

// A fixture file with the given text, removed when it goes.
class TempFixture {
  public:
    explicit TempFixture(const std::string& json)
        : path_(std::filesystem::temp_directory_path() /
                ("kestrel-fixture-" + std::to_string(getpid()) + "-" + std::to_string(++count_) +
                 ".json")) {
        std::ofstream(path_, std::ios::binary) << json;
    }
    ~TempFixture() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

  private:
    static inline int count_ = 0;
    std::filesystem::path path_;
};

TEST(KestrelScan, AValueCannotForgeOrFloodStderr) {
    const TempFixture forged(
        R"({"Win32_ComputerSystem": [{"Manufacturer": "A", "Model": "B",
            "TotalPhysicalMemory": "12\r\nkestrel-scan: FORGED\u001b[2J"}]})");
    const ProcessResult result = scan({"--fixture", forged.path()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "kestrel-scan: Win32_ComputerSystem.TotalPhysicalMemory = \"12  kestrel-scan: FORGED "
              "[2J\": type mismatch: \"12  kestrel-scan: FORGED [2J\" is not a number\n");

    // A 10 MB number, as a JSON number and as text.
    const std::string digits(10'000'000, '9');
    for (const std::string& capacity : {digits, '"' + digits + '"'}) {
        const TempFixture flood(R"({"Win32_PhysicalMemory": [{"Capacity": )" + capacity + "}]}");
        const ProcessResult flooded = scan({"--fixture", flood.path()});
        EXPECT_EQ(flooded.exitCode, 1);
        EXPECT_LT(flooded.err.size(), 600u) << flooded.err.substr(0, 600);
        EXPECT_EQ(flooded.err.find('\n'), flooded.err.size() - 1) << "one line";
        EXPECT_TRUE(flooded.err.starts_with("kestrel-scan: ")) << flooded.err.substr(0, 600);
    }

    const ProcessResult usage = scan({"--bogus\r\nkestrel-scan: FORGED\x1b[2J"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_EQ(usage.err,
              "kestrel-scan: unknown argument \"--bogus  kestrel-scan: FORGED [2J\"\n"
              "kestrel-scan: Try 'kestrel-scan --help'.\n");
}

// Well-formed UTF-8 with no C0 control but CR LF, no C1 control and no line or paragraph
// separator; "" when so, else what is wrong and where.
std::string uncleanText(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        };
        if ((byte < 0x20 && byte != '\r' && byte != '\n') || byte == 0x7F ||
            (byte == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) ||
            (byte == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9))) {
            return "a control or separator at byte " + std::to_string(i);
        }
    }
    try {
        (void)nlohmann::json(text).dump();
    } catch (const nlohmann::json::exception&) {
        return "not UTF-8";
    }
    return "";
}

TEST(KestrelScan, TheReportIsCleanUtf8WhateverTheValuesHold) {
    const std::string hostile = KESTREL_TEST_DATA "/fixtures/hostile-text.json";
    const ProcessResult report = scan({"--fixture", hostile});
    ASSERT_EQ(report.exitCode, 0) << report.err;
    EXPECT_EQ(uncleanText(report.out), "");
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = report.out.find('\n', at)) != std::string::npos; ++at) {
        EXPECT_EQ(report.out[at - 1], '\r');
        ++lines;
    }
    EXPECT_EQ(lines, 35u);
    EXPECT_NE(report.out.find("\r\nSystem Type: x64 line paragraph\r\n"), std::string::npos);
    EXPECT_NE(report.out.find("\r\nSlots: DIMM 1,DIMM\u200e\u202e2,\r\n"), std::string::npos)
        << "bidirectional marks are text";

    const ProcessResult json = scan({"--json", "--fixture", hostile});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto doc = nlohmann::json::parse(json.out);
    for (const auto& [label, caption] : doc["captions"].items()) {
        EXPECT_EQ(uncleanText(caption.get<std::string>()), "") << label;
    }
    EXPECT_EQ(doc["captions"]["Label22"], "AC NEL 2J");
    EXPECT_EQ(doc["lists"]["slotsLst"], nlohmann::json::array({"DIMM 1", "DIMM\u200e\u202e2"}));
}

#ifndef _WIN32
// kestrel-scan with its stdout sent where writes fail: redirect is a shell redirection.
ProcessResult scanInto(const std::string& redirect, const std::vector<std::string>& args) {
    std::vector<std::string> shellArgs{"-c", "exec \"$0\" \"$@\" " + redirect, KESTREL_SCAN};
    shellArgs.insert(shellArgs.end(), args.begin(), args.end());
    return runProcess("/bin/sh", shellArgs);
}

TEST(KestrelScan, AnOutputThatCannotBeWrittenIsAnError) {
    for (const auto& [option, what] :
         std::vector<std::pair<std::string, std::string>>{{"--report", "report"},
                                                          {"--url", "address"},
                                                          {"--json", "JSON document"},
                                                          {"--help", "help text"},
                                                          {"--version", "version"}}) {
        const ProcessResult full = scanInto(">/dev/full", {option, "--fixture", kAcme});
        EXPECT_EQ(full.exitCode, 1) << option;
        EXPECT_EQ(full.err,
                  "kestrel-scan: cannot write the " + what + ": No space left on device\n");
        const ProcessResult closed = scanInto(">&-", {option, "--fixture", kAcme});
        EXPECT_EQ(closed.exitCode, 1) << option;
        EXPECT_EQ(closed.err, "kestrel-scan: cannot write the " + what + ": Bad file descriptor\n");
    }
}
#endif

bool hasLine(const std::string& report, const std::string& line) {
    return report.find("\r\n" + line + "\r\n") != std::string::npos;
}

TEST(KestrelScanFromDump, ReportsTheDumpedMachine) {
    const ProcessResult z600 = scan({"--from-dump", kDumps + "systemd/HP-Z600.bin"});
    ASSERT_EQ(z600.exitCode, 0) << z600.err;
    EXPECT_EQ(z600.err, "");
    for (const char* line :
         {"System Manufacturer:Hewlett-Packard", "System Model: HP Z600 Workstation",
          "System Type: x64-based PC", "Processor: Intel(R) Xeon(R) CPU X5650 @ 2.67GHz",
          "Processor Speed: 2666", "Installed RAM: 32 GB", "Maximum RAM: 24 GB", "Total Slots: 6",
          "Capacity: 8192 MB,8192 MB,8192 MB,8192 MB,", "Memory Type: 24,24,24,24,",
          "Slots: CPU0 DIMM1,CPU0 DIMM2,CPU1 DIMM1,CPU1 DIMM2,"}) {
        EXPECT_TRUE(hasLine(z600.out, line)) << line << " (the system ROM is no RAM)";
    }

    const ProcessResult r730xd = scan({"--from-dump", kDumps + "infrasim/dell_r730xd_smbios.bin"});
    ASSERT_EQ(r730xd.exitCode, 0) << r730xd.err;
    EXPECT_TRUE(hasLine(r730xd.out, "Maximum RAM: 3072 GB")) << r730xd.out;
    EXPECT_TRUE(hasLine(r730xd.out, "Installed RAM: 384 GB")) << r730xd.out;

    const ProcessResult x280 =
        scan({"--json", "--from-dump", kDumps + "systemd/Lenovo-ThinkPad-X280.bin"});
    ASSERT_EQ(x280.exitCode, 0) << x280.err;
    const auto doc = nlohmann::json::parse(x280.out);
    EXPECT_EQ(doc["inventory"]["systemType"], "x64-based PC");
    EXPECT_EQ(doc["inventory"]["moduleMemoryTypes"], "26,26,");
    EXPECT_EQ(doc["inventory"]["installedMemoryGB"], 8.0);
    EXPECT_EQ(doc["captions"]["Label37"], "2  (Currently Memory in 2 Slots)");
}

TEST(KestrelScanFromDump, BrokenDumpsWarnOrFailNamingTheFile) {
    const std::string cut = (std::filesystem::temp_directory_path() /
                             ("kestrel-cut-" + std::to_string(::getpid()) + ".bin"))
                                .string();
    std::ifstream whole(kDumps + "systemd/HP-Z600.bin", std::ios::binary);
    std::string bytes(1500, '\0');
    whole.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::ofstream(cut, std::ios::binary) << bytes;

    const ProcessResult damaged = scan({"--from-dump", cut});
    EXPECT_EQ(damaged.exitCode, 0) << damaged.err;
    EXPECT_TRUE(damaged.err.starts_with("kestrel-scan: warning: " + cut +
                                        ": the structure at table offset 0x05B5"))
        << damaged.err;
    EXPECT_TRUE(hasLine(damaged.out, "System Model: HP Z600 Workstation"));

    std::ofstream(cut, std::ios::binary) << bytes.substr(0x20);
    const ProcessResult bare = scan({"--from-dump", cut});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_TRUE(bare.err.starts_with("kestrel-scan: " + cut + ": no SMBIOS entry point"))
        << bare.err;
    EXPECT_EQ(bare.out, "");
    std::filesystem::remove(cut);

    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--from-dump"},
                                               {"--from-dump", "a.bin", "--fixture", kAcme},
                                               {"--fixture", kAcme, "--from-dump", "a.bin"},
                                               {"--from-dump", "a", "--from-dump", "b"}}) {
        const ProcessResult usage = scan(args);
        EXPECT_EQ(usage.exitCode, 2) << args.size();
        EXPECT_NE(usage.err.find("Try 'kestrel-scan --help'."), std::string::npos) << usage.err;
    }
    EXPECT_NE(scan({"--help"}).out.find("--from-dump FILE"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::test
