#include "fake_root.h"

#include <fstream>
#include <stdexcept>

#include "process_runner.h"

namespace kestrel::test {

FakeRoot::FakeRoot(const std::vector<std::string>& args) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-root-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::vector<std::string> all{path_.string()};
    all.insert(all.end(), args.begin(), args.end());
    const ProcessResult made = runProcess(KESTREL_SOURCE_DIR "/tests/support/make-fake-root", all);
    if (made.exitCode != 0) throw std::runtime_error("make-fake-root: " + made.err);
}

FakeRoot::~FakeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void FakeRoot::write(const std::string& absolute, const std::string& content) const {
    const auto target = path_ / std::filesystem::path(absolute).relative_path();
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary) << content;
}

std::string smbiosData(const std::string& relative) {
    return KESTREL_TEST_DATA "/smbios/" + relative;
}

}  // namespace kestrel::test
