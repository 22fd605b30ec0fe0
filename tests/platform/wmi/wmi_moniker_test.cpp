#include "platform/wmi/wmi_moniker.h"

#include <gtest/gtest.h>

#include "error_text.h"
#include "inventory/management/management_service.h"

namespace kestrel::wmi {
namespace {

TEST(WmiMoniker, TheScanMonikerNamesTheLocalCimv2NamespaceWithImpersonation) {
    const WmiMoniker moniker = parseMoniker(localCimv2Moniker());
    EXPECT_EQ(moniker.namespacePath, R"(\\.\root\cimv2)");
    EXPECT_EQ(moniker.impersonation, ImpersonationLevel::Impersonate);
}

TEST(WmiMoniker, SchemeSettingAndLevelAreMatchedWithoutRegardToCase) {
    const WmiMoniker moniker = parseMoniker(R"(WinMgmts:{ ImpersonationLevel = Identify }!root\x)");
    EXPECT_EQ(moniker.namespacePath, R"(root\x)");
    EXPECT_EQ(moniker.impersonation, ImpersonationLevel::Identify);
    EXPECT_EQ(
        parseMoniker(R"(winmgmts:{impersonationLevel=delegate}!\\.\root\cimv2)").impersonation,
        ImpersonationLevel::Delegate);
}

TEST(WmiMoniker, WithoutSettingsTheLevelIsImpersonate) {
    const WmiMoniker moniker = parseMoniker(R"(winmgmts:\\.\root\cimv2)");
    EXPECT_EQ(moniker.namespacePath, R"(\\.\root\cimv2)");
    EXPECT_EQ(moniker.impersonation, ImpersonationLevel::Impersonate);
}

TEST(WmiMoniker, RejectsWhatItCannotHonour) {
    for (const char* moniker : {
             R"(\\.\root\cimv2)",
             R"(winmgmt:\\.\root\cimv2)",
             R"(winmgmts:{authenticationLevel=pktPrivacy}!\\.\root\cimv2)",
             R"(winmgmts:{impersonationLevel=pretend}!\\.\root\cimv2)",
             R"(winmgmts:{impersonationLevel=impersonate!\\.\root\cimv2)",
             R"(winmgmts:{impersonationLevel=impersonate}\\.\root\cimv2)",
             "winmgmts:{impersonationLevel=impersonate}!",
             "winmgmts:",
         }) {
        const std::string error = test::errorOf([&] { parseMoniker(moniker); });
        EXPECT_TRUE(error.starts_with("cannot connect to \"" + std::string(moniker) + "\": "))
            << error;
    }
}

}  // namespace
}  // namespace kestrel::wmi
