// What Windows makes of kestrel.exe's manifest: the activation context it starts the program in.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace kestrel::test {
namespace {

std::wstring kestrelPath() {
    const std::string path = KESTREL_EXE;
    return std::wstring(path.begin(), path.end());
}

class KestrelActivationContext : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = kestrelPath();
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path_.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);
        context_ = CreateActCtxW(&request);
        ASSERT_NE(context_, INVALID_HANDLE_VALUE) << "the manifest is not read: " << GetLastError();
    }
    void TearDown() override {
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }

    std::vector<BYTE> query(ULONG what) const {
        SIZE_T needed = 0;
        QueryActCtxW(0, context_, nullptr, what, nullptr, 0, &needed);
        std::vector<BYTE> answer(needed);
        if (needed == 0 ||
            !QueryActCtxW(0, context_, nullptr, what, answer.data(), needed, &needed)) {
            answer.clear();
        }
        return answer;
    }

    std::wstring path_;
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

// SetWindowSubclass and the themed buttons and group boxes come with version 6 of the common
// controls, which only a program whose manifest depends on it gets: its activation context
// sends comctl32.dll to that assembly.
TEST_F(KestrelActivationContext, DependsOnVersion6OfTheCommonControls) {
    ACTCTX_SECTION_KEYED_DATA found{};
    found.cbSize = sizeof found;
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context_, &cookie));
    const bool redirected = FindActCtxSectionStringW(
        FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
        L"comctl32.dll", &found);
    DeactivateActCtx(0, cookie);
    ASSERT_TRUE(redirected) << "comctl32.dll is the system's version 5";
    EXPECT_EQ(found.hActCtx, context_) << "the redirection is not the manifest's";
    if (found.hActCtx) ReleaseActCtx(found.hActCtx);
}

// An element of the compatibility information as Windows 10 and later (and Wine) give it, with
// the MaxVersionTested that mingw-w64's COMPATIBILITY_CONTEXT_ELEMENT lacks.
struct CompatibilityElement {
    GUID id;
    ACTCTX_COMPATIBILITY_ELEMENT_TYPE type;
    ULONGLONG maxVersionTested;
};

// The supportedOS ids Microsoft publishes for Windows 7, 8, 8.1 and 10/11 (the last one covers
// both): without them Windows runs a program in the compatibility mode of an older version.
TEST_F(KestrelActivationContext, DeclaresWindows7To11) {
    const std::vector<BYTE> answer = query(CompatibilityInformationInActivationContext);
    ASSERT_GE(answer.size(), sizeof(ULONGLONG));
    DWORD count = 0;
    std::memcpy(&count, answer.data(), sizeof count);
    ASSERT_EQ(answer.size(), sizeof(ULONGLONG) + count * sizeof(CompatibilityElement));
    std::vector<std::wstring> declared;
    for (DWORD i = 0; i < count; ++i) {
        CompatibilityElement element;
        std::memcpy(&element, answer.data() + sizeof(ULONGLONG) + i * sizeof element,
                    sizeof element);
        if (element.type != ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) continue;
        wchar_t text[40] = {};
        StringFromGUID2(element.id, text, 40);
        declared.emplace_back(text);
    }
    EXPECT_EQ(declared, (std::vector<std::wstring>{
                            L"{35138B9A-5D96-4FBD-8E2D-A2440225F93A}",  // Windows 7
                            L"{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38}",  // Windows 8
                            L"{1F676C76-80E1-4239-95BB-83D0F6D0DA78}",  // Windows 8.1
                            L"{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A}",  // Windows 10 and 11
                        }));
}

// Reading the machine's identity needs no administrator: no elevation prompt.
TEST_F(KestrelActivationContext, RunsAsTheInvokingUser) {
    const std::vector<BYTE> answer = query(RunlevelInformationInActivationContext);
    ASSERT_FALSE(answer.empty());
    const auto* info =
        reinterpret_cast<const ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION*>(answer.data());
    EXPECT_EQ(info->RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(info->UiAccess, 0u);
}

}  // namespace
}  // namespace kestrel::test
