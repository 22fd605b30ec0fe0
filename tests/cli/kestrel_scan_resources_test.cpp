// The version record and the icon that Windows shows for kestrel-scan.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace kestrel::test {
namespace {

std::wstring scanPath() {
    const std::string path = KESTREL_SCAN;
    std::wstring result(path.size(), L'\0');
    result.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), result.data(),
                            static_cast<int>(result.size()))));
    return result;
}

class VersionRecord {
  public:
    explicit VersionRecord(const std::wstring& file) {
        DWORD ignored = 0;
        data_.resize(GetFileVersionInfoSizeW(file.c_str(), &ignored));
        if (data_.empty() ||
            !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data())) {
            data_.clear();
        }
    }
    bool present() const { return !data_.empty(); }

    std::wstring text(const std::wstring& name) const {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
        if (!VerQueryValueW(data_.data(), path.c_str(), &value, &length) || length == 0) return {};
        return static_cast<const wchar_t*>(value);
    }

    const VS_FIXEDFILEINFO* numbers() const {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), L"\\", &value, &length)) return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

  private:
    std::vector<char> data_;
};

TEST(KestrelScanResources, VersionRecordNamesKestrelAndItsVersion) {
    const VersionRecord record(scanPath());
    ASSERT_TRUE(record.present());
    EXPECT_EQ(record.text(L"ProductName"), L"Kestrel");
    EXPECT_EQ(record.text(L"FileVersion"), L"" KESTREL_VERSION);
    EXPECT_EQ(record.text(L"ProductVersion"), L"" KESTREL_VERSION);
    EXPECT_EQ(record.text(L"OriginalFilename"), L"kestrel-scan.exe");
    const VS_FIXEDFILEINFO* numbers = record.numbers();
    ASSERT_TRUE(numbers);
    EXPECT_EQ(numbers->dwFileVersionMS, MAKELONG(KESTREL_VERSION_MINOR, KESTREL_VERSION_MAJOR));
    EXPECT_EQ(numbers->dwFileVersionLS, 0u);
    EXPECT_EQ(numbers->dwProductVersionMS, MAKELONG(KESTREL_VERSION_MINOR, KESTREL_VERSION_MAJOR));
    EXPECT_EQ(numbers->dwProductVersionLS, 0u);
}

// The icon group as an executable stores it: a header, then one entry per image.
#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

// The image Windows takes for each size it asks for: the windows' 16 and 32 px ones keep their 16
// colours; the task bar at higher dpi (24), Explorer's large (48) and extra large (256) views
// get smooth ones, the largest stored as PNG.
TEST(KestrelScanResources, IconHasAnImageForEverySizeWindowsShows) {
    const HMODULE exe = LoadLibraryExW(scanPath().c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe);
    const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
    ASSERT_TRUE(found) << "no icon group";
    auto* group = static_cast<BYTE*>(LockResource(LoadResource(exe, found)));
    ASSERT_TRUE(group);
    const auto* header = reinterpret_cast<const IconGroupHeader*>(group);
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 1);
    EXPECT_EQ(header->count, 5);
    for (const auto& [size, bits] : {std::pair{16, 4}, {24, 32}, {32, 4}, {48, 32}, {256, 32}}) {
        const int id = LookupIconIdFromDirectoryEx(group, TRUE, size, size, LR_DEFAULTCOLOR);
        const IconGroupEntry* chosen = nullptr;
        for (WORD i = 0; i < header->count; ++i) {
            if (entries[i].id == id) chosen = &entries[i];
        }
        ASSERT_TRUE(chosen) << size;
        EXPECT_EQ(chosen->width, size % 256) << size;
        EXPECT_EQ(chosen->height, size % 256) << size;
        EXPECT_EQ(chosen->bitCount, bits) << size;
        const HRSRC image = FindResourceW(exe, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));
        ASSERT_TRUE(image) << size;
        const std::string start(static_cast<const char*>(LockResource(LoadResource(exe, image))),
                                4);
        EXPECT_EQ(start == "\x89PNG", size == 256) << size;
    }
    FreeLibrary(exe);
}

}  // namespace
}  // namespace kestrel::test
