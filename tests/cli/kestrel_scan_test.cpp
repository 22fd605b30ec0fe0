// Drives the kestrel-scan executable as a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "json_schema.h"
#include "process_runner.h"
#include "temp_file.h"

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

// A fixture file holding json, removed when it goes.
struct TempFixture : TempFile {
    explicit TempFixture(std::string_view json) : TempFile(json, ".json") {}
};

// kestrel-scan --json with the arguments, checked against the shipped schema.
nlohmann::json scanJson(const std::vector<std::string>& args) {
    std::vector<std::string> all{"--json"};
    all.insert(all.end(), args.begin(), args.end());
    const ProcessResult result = scan(all);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(schemaViolations(result.out), "");
    return nlohmann::json::parse(result.out);
}

// Every key in the document, at any depth.
void collectKeys(const nlohmann::json& value, std::vector<std::string>& keys) {
    if (value.is_object()) {
        for (const auto& [key, member] : value.items()) {
            keys.push_back(key);
            collectKeys(member, keys);
        }
    } else if (value.is_array()) {
        for (const auto& item : value) collectKeys(item, keys);
    }
}

TEST(KestrelScanJson, IsTheVersionedDocumentTheSchemaDescribes) {
    const auto doc = scanJson({"--fixture", kAcme});
    EXPECT_EQ(doc["formatVersion"], 1);
    EXPECT_EQ(doc["system"]["manufacturer"], "Acme Computers");
    EXPECT_EQ(doc["system"]["model"], "AC-22");
    EXPECT_EQ(doc["system"]["identifyingNumber"], "ACME-SN-A1");
    EXPECT_EQ(doc["board"]["product"], "MB-22");
    EXPECT_EQ(doc["processor"]["clockSpeedMHz"], 2400);
    EXPECT_EQ(doc["bios"]["version"], "1.02");
    EXPECT_EQ(doc["memory"], nlohmann::json::parse(R"({"installedBytes": 2147483648,
        "maximumBytes": 4294967296, "slots": 4})"));
    const auto module = [](const char* locator) {
        return nlohmann::json{{"locator", locator},         {"capacityBytes", 1073741824},
                              {"memoryType", 21},           {"speedMHz", 667},
                              {"manufacturer", "Acme RAM"}, {"maker", "Acme RAM"}};
    };
    EXPECT_EQ(doc["modules"], nlohmann::json::array({module("DIMM 1"), module("DIMM 2")}));
    EXPECT_EQ(doc["sources"], nlohmann::json::array({"fixture"}));

    std::vector<std::string> keys;
    collectKeys(doc, keys);
    for (const std::string& key : keys) {
        EXPECT_FALSE(std::regex_match(key, std::regex("(Label|Frame|Command)[0-9]+|[a-z]+Lst")))
            << "a control's name: " << key;
    }
}

TEST(KestrelScanJson, CarriesTheReportAndTheAddressByteForByte) {
    const auto doc = scanJson({"--fixture", kAcme});
    EXPECT_EQ(doc["reportText"], scan({"--fixture", kAcme}).out);
    EXPECT_EQ(doc["selectorUrl"].get<std::string>() + "\n",
              scan({"--url", "--fixture", kAcme}).out);
}

TEST(KestrelScanJson, AnUnnamedModelIsTheBoardAsTheSelectorGetsIt) {
    const TempFixture placeholder(R"({
        "Win32_ComputerSystem": [{"Manufacturer": "A", "Model": "System Product Name",
                                  "SystemType": "x64", "TotalPhysicalMemory": 0}],
        "Win32_Baseboard": [{"Manufacturer": "A", "Product": "MB-7"}]})");
    const auto doc = scanJson({"--fixture", placeholder.path()});
    EXPECT_EQ(doc["system"]["model"], "MB-7");
    EXPECT_NE(doc["reportText"].get<std::string>().find("System Model: Not Available\r\n"),
              std::string::npos)
        << "the report keeps the placeholder";
}

TEST(KestrelScanJson, MissingFactsAreNullAndNumbersStayNumbers) {
    const TempFixture sparse(R"({
        "Win32_ComputerSystem": [{"Manufacturer": "A", "Model": null, "SystemType": "x64",
                                  "TotalPhysicalMemory": null}],
        "Win32_PhysicalMemory": [{"Capacity": "17179869184", "MemoryType": null, "Speed": null,
                                  "DeviceLocator": "A0", "Manufacturer": null}],
        "Win32_Processor": [{"Name": "CPU", "Manufacturer": "X", "CurrentClockSpeed": "3600",
                             "ExtClock": null}],
        "Win32_Bios": [{"Manufacturer": "B", "SMBIOSBIOSVersion": 1.5}]})");
    const auto doc = scanJson({"--fixture", sparse.path()});
    EXPECT_TRUE(doc["system"]["model"].is_null());
    EXPECT_TRUE(doc["board"]["product"].is_null()) << "no board at all";
    EXPECT_TRUE(doc["memory"]["installedBytes"].is_null());
    EXPECT_TRUE(doc["memory"]["maximumBytes"].is_null()) << "no memory array";
    EXPECT_TRUE(doc["memory"]["slots"].is_null());
    EXPECT_EQ(doc["processor"]["clockSpeedMHz"], 3600) << "a number given as text";
    EXPECT_TRUE(doc["processor"]["externalClockMHz"].is_null());
    EXPECT_EQ(doc["bios"]["version"], "1.5") << "a text given as a number";
    EXPECT_EQ(doc["modules"], nlohmann::json::parse(R"([{"locator": "A0",
        "capacityBytes": 17179869184, "memoryType": null, "speedMHz": null,
        "manufacturer": null, "maker": null}])"));
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
    EXPECT_NE(scan({"--help"}).out.find("--fixture FILE"), std::string::npos);
}

TEST(KestrelScan, VersionNamesTheCopyrightAndLicenceOfLicenseFile) {
    std::ifstream license(KESTREL_TEST_DATA "/../../LICENSE");
    std::string licence, blank, copyright;
    std::getline(license, licence);
    std::getline(license, blank);
    std::getline(license, copyright);
    ASSERT_TRUE(copyright.starts_with("Copyright")) << copyright;

    const ProcessResult version = scan({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.starts_with("kestrel-scan " KESTREL_VERSION "\n" + copyright + "\n"))
        << version.out;
    // "MIT License": the licence's name.
    const std::string name = licence.substr(0, licence.find(' '));
    EXPECT_NE(version.out.find("\nLicence: " + name + "."), std::string::npos) << version.out;
}

TEST(KestrelScan, AFileMayFollowAnEqualsSign) {
    EXPECT_EQ(scan({"--fixture=" + kAcme}).out, scan({"--fixture", kAcme}).out);
    const std::string z600 = kDumps + "systemd/HP-Z600.bin";
    const ProcessResult dump = scan({"--url", "--from-dump=" + z600});
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(dump.out, scan({"--url", "--from-dump", z600}).out);

    for (const auto& [arg, message] : std::vector<std::pair<std::string, std::string>>{
             {"--json=yes", "--json takes no value"},
             {"--fixture=", "--fixture needs a file name"},
             {"--bogus=1", "unknown argument \"--bogus=1\""}}) {
        const ProcessResult usage = scan({arg});
        EXPECT_EQ(usage.exitCode, 2) << arg;
        EXPECT_EQ(usage.err,
                  "kestrel-scan: " + message + "\nkestrel-scan: Try 'kestrel-scan --help'.\n");
    }
}

TEST(KestrelScan, EveryFailureIsOneClearLineAndStatusOne) {
    // A number past a double, raised by the JSON library, and files that cannot be read whole.
    const TempFixture overflow(R"({"Win32_Bios":[{"Manufacturer":1e400}]})");
    const ProcessResult huge = scan({"--fixture", overflow.path()});
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_EQ(huge.err, "kestrel-scan: " + overflow.path() +
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

    // --json keeps every value as the machine gave it, its controls escaped, not written raw.
    const ProcessResult json = scan({"--json", "--fixture", hostile});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(uncleanText(json.out), "");
    EXPECT_EQ(schemaViolations(json.out), "");
    const auto doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["system"]["manufacturer"], "Acme\r\nkestrel-scan: FORGED\u001b[2J");
    EXPECT_EQ(doc["system"]["model"], "AC\u0085NEL\u009b2J");
    EXPECT_EQ(doc["system"]["systemType"], "x64\u2028line\u2029paragraph");
    EXPECT_EQ(doc["processor"]["manufacturer"], "\u007fChips");
    EXPECT_EQ(doc["modules"][1]["locator"], "DIMM\u200e\u202e2");
    EXPECT_EQ(doc["reportText"], report.out);
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

    const auto x280 = scanJson({"--from-dump", kDumps + "systemd/Lenovo-ThinkPad-X280.bin"});
    EXPECT_EQ(x280["system"]["systemType"], "x64-based PC");
    EXPECT_EQ(x280["memory"]["installedBytes"], 8589934592);
    EXPECT_EQ(x280["memory"]["slots"], 2);
    ASSERT_EQ(x280["modules"].size(), 2u);
    EXPECT_EQ(x280["modules"][1]["locator"], "ChannelB-DIMM0");
    EXPECT_EQ(x280["modules"][1]["memoryType"], 26) << "DDR4";
    EXPECT_EQ(x280["modules"][1]["manufacturer"], "0000");
    EXPECT_TRUE(x280["modules"][1]["maker"].is_null()) << "0000 names no maker";
}

// The module lines of a report ("Capacity: ", ...) as --json's modules give them.
std::string moduleLine(const nlohmann::json& modules, const std::string& key,
                       const std::string& unit) {
    std::string line;
    for (const auto& module : modules) {
        const auto& value = module[key];
        if (value.is_string()) line += value.get<std::string>();
        if (value.is_number()) line += std::to_string(value.get<std::uint64_t>());
        line += unit + ",";
    }
    return line;
}

TEST(KestrelScanFromDump, EveryDumpGivesADocumentTheSchemaAcceptsWithTheReportsModules) {
    std::vector<std::string> documents;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kDumps)) {
        if (entry.path().extension() != ".bin" || entry.path().parent_path().filename() == "raw")
            continue;
        const ProcessResult run = scan({"--json", "--from-dump", entry.path().string()});
        ASSERT_EQ(run.exitCode, 0) << entry.path() << ": " << run.err;
        documents.push_back(run.out);
        names.push_back(entry.path().filename().string());
    }
    ASSERT_GE(documents.size(), 15u);
    EXPECT_EQ(schemaViolations(documents), "");
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const auto doc = nlohmann::json::parse(documents[i]);
        const std::string report = doc["reportText"];
        const auto& modules = doc["modules"];
        for (const auto& [label, key, unit] :
             std::vector<std::tuple<std::string, std::string, std::string>>{
                 {"Slots: ", "locator", ""},
                 {"Memory Type: ", "memoryType", ""},
                 {"Speed: ", "speedMHz", " MHz"}}) {
            EXPECT_TRUE(hasLine(report, label + moduleLine(modules, key, unit)))
                << names[i] << ": " << label;
        }
        std::string capacities;
        for (const auto& module : modules) {
            capacities +=
                std::to_string(module["capacityBytes"].get<std::uint64_t>() >> 20) + " MB,";
        }
        EXPECT_TRUE(hasLine(report, "Capacity: " + capacities)) << names[i];
    }
}

TEST(KestrelScanFromDump, BrokenDumpsWarnOrFailNamingTheFile) {
    std::ifstream whole(kDumps + "systemd/HP-Z600.bin", std::ios::binary);
    std::string bytes(1500, '\0');
    whole.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const TempFile cutFile(bytes, ".bin");
    const std::string cut = cutFile.path();

    const ProcessResult damaged = scan({"--from-dump", cut});
    EXPECT_EQ(damaged.exitCode, 0) << damaged.err;
    EXPECT_TRUE(damaged.err.starts_with("kestrel-scan: warning: " + cut +
                                        ": the structure at table offset 0x05B5"))
        << damaged.err;
    EXPECT_TRUE(hasLine(damaged.out, "System Model: HP Z600 Workstation"));

    cutFile.write(std::string_view(bytes).substr(0x20));
    const ProcessResult bare = scan({"--from-dump", cut});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_TRUE(bare.err.starts_with("kestrel-scan: " + cut + ": no SMBIOS entry point"))
        << bare.err;
    EXPECT_EQ(bare.out, "");

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
