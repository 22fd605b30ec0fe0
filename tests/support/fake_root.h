#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrel::test {

// A temporary machine root made by tests/support/make-fake-root; removed when it goes.
class FakeRoot {
  public:
    explicit FakeRoot(const std::vector<std::string>& args);
    ~FakeRoot();
    FakeRoot(const FakeRoot&) = delete;
    FakeRoot& operator=(const FakeRoot&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& absolute, const std::string& content) const;

  private:
    std::filesystem::path path_;
};

std::string smbiosData(const std::string& relative);  // a file below tests/data/smbios

}  // namespace kestrel::test
