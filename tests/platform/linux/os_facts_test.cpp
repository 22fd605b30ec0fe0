#include "platform/linux/os_facts.h"

#include <gtest/gtest.h>

namespace kestrel::linux_machine {
namespace {

TEST(MemTotal, KilobytesBecomeBytesAndOddLinesAreRefused) {
    std::vector<std::string> notices;
    const auto memTotal = [&](const std::string& meminfo) {
        return parseMemTotal(meminfo, notices);
    };
    EXPECT_EQ(memTotal("MemFree: 1 kB\nMemTotal:       24683752 kB\n"), 24683752LL * 1024);
    EXPECT_EQ(memTotal("MemTotal: 4096\n"), 4096);
    EXPECT_EQ(memTotal("MemFree: 1 kB\n"), std::nullopt);
    EXPECT_EQ(memTotal(""), std::nullopt);
    EXPECT_TRUE(notices.empty()) << "a file without the line has nothing impossible in it";
    EXPECT_EQ(memTotal("MemTotal: lots kB\n"), std::nullopt);
    EXPECT_EQ(memTotal("MemTotal: -5 kB\n"), std::nullopt);
    EXPECT_EQ(memTotal("MemTotal: 99999999999999999 kB\n"), std::nullopt) << "overflow";
}

TEST(MemTotal, AnImpossibleSizeIsNamedInANotice) {
    std::vector<std::string> notices;
    EXPECT_EQ(parseMemTotal("MemTotal:  99999999999999999 kB\n", notices), std::nullopt);
    EXPECT_EQ(notices, std::vector<std::string>{"/proc/meminfo gives \"MemTotal\" as "
                                                "\"99999999999999999 kB\", not a size; it is "
                                                "not used"});
}

TEST(CpuInfo, OnePackagePerPhysicalIdKeepingTheBrandStringAsWritten) {
    const std::string cpuinfo =
        "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t:   Intel(R) Xeon(R) X5650  \n"
        "cpu MHz\t\t: 2660.123\nphysical id\t: 1\n\n"
        "processor\t: 1\nvendor_id\t: GenuineIntel\nmodel name\t: Other\nphysical id\t: 1\n\n"
        "processor\t: 2\nvendor_id\t: AuthenticAMD\nmodel name\t: AMD EPYC\ncpu MHz\t: 2445.424\n"
        "physical id\t: 0\n";
    std::vector<std::string> notices;
    const auto packages = parseCpuInfo(cpuinfo, notices);
    EXPECT_TRUE(notices.empty());
    ASSERT_EQ(packages.size(), 2u);
    EXPECT_EQ(packages[0].modelName, "AMD EPYC");
    EXPECT_EQ(packages[0].vendorId, "AuthenticAMD");
    EXPECT_EQ(packages[1].modelName, "  Intel(R) Xeon(R) X5650  ");
    EXPECT_DOUBLE_EQ(packages[1].currentMHz.value(), 2660.123);
}

TEST(CpuInfo, MachinesWithoutPhysicalIdOrBrandString) {
    // An arm64 kernel lists neither "model name" nor "physical id".
    std::vector<std::string> notices;
    const auto arm = parseCpuInfo(
        "processor\t: 0\nBogoMIPS\t: 48.00\nCPU part\t: 0xd08\n\n"
        "processor\t: 1\nBogoMIPS\t: 48.00\n",
        notices);
    EXPECT_TRUE(arm.empty());
    const auto single =
        parseCpuInfo("processor : 0\nmodel name : Pentium\ncpu MHz : bad\n", notices);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].modelName, "Pentium");
    EXPECT_FALSE(single[0].currentMHz);
    EXPECT_TRUE(parseCpuInfo("", notices).empty());
}

TEST(CpuInfo, ClockSpeedsThatCannotBeOneAreUnknownAndNamed) {
    std::vector<std::string> notices;
    std::string cpuinfo;
    for (const char* mhz : {"nan", "inf", "1e300", "-5", "0"}) {
        cpuinfo += std::string("physical id : ") + std::to_string(cpuinfo.size()) +
                   "\nmodel name : M\ncpu MHz : " + mhz + "\n\n";
    }
    const auto packages = parseCpuInfo(cpuinfo, notices);
    ASSERT_EQ(packages.size(), 5u);
    for (const auto& package : packages) EXPECT_FALSE(package.currentMHz);
    ASSERT_EQ(notices.size(), 5u);
    EXPECT_EQ(notices[0],
              "/proc/cpuinfo gives \"cpu MHz\" as \"nan\", not a clock speed; it is not used");
}

TEST(SystemType, NamedAfterTheKernelArchitecture) {
    EXPECT_EQ(systemTypeFor("x86_64"), "x64-based PC");
    EXPECT_EQ(systemTypeFor("i686"), "X86-based PC");
    EXPECT_EQ(systemTypeFor("i386"), "X86-based PC");
    EXPECT_EQ(systemTypeFor("aarch64"), "ARM64-based PC");
    EXPECT_EQ(systemTypeFor("riscv64"), "riscv64");
    EXPECT_EQ(systemTypeFor("i786"), "i786");
}

}  // namespace
}  // namespace kestrel::linux_machine
