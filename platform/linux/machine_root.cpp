#include "platform/linux/machine_root.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kestrel::linux_machine {

MachineRoot MachineRoot::fromEnvironment() {
    const char* root = std::getenv("KESTREL_ROOT");
    return MachineRoot(root && *root ? root : "/");
}

std::filesystem::path MachineRoot::path(std::string_view absolute) const {
    return root_ / std::filesystem::path(absolute).relative_path();
}

bool MachineRoot::exists(std::string_view absolute) const {
    std::error_code ignored;
    return std::filesystem::exists(path(absolute), ignored);
}

FileText MachineRoot::read(std::string_view absolute) const {
    errno = 0;
    std::ifstream file(path(absolute), std::ios::binary);
    if (!file) {
        return {errno == EACCES || errno == EPERM ? ReadStatus::Denied : ReadStatus::Missing, {}};
    }
    std::ostringstream content;
    content << file.rdbuf();
    return {ReadStatus::Ok, content.str()};
}

std::optional<std::string> MachineRoot::readTrimmed(std::string_view absolute) const {
    FileText file = read(absolute);
    if (file.status != ReadStatus::Ok) return std::nullopt;
    return trimEnd(file.text);
}

std::string trimEnd(std::string_view text) {
    const auto end = text.find_last_not_of(" \t\r\n");
    return std::string(end == std::string_view::npos ? std::string_view()
                                                     : text.substr(0, end + 1));
}

}  // namespace kestrel::linux_machine
