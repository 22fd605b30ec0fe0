#include "platform/linux/machine_root.h"

#include <cstdlib>

#include "inventory/error.h"
#include "inventory/text_helpers.h"

namespace kestrel::linux_machine {

MachineRoot MachineRoot::fromEnvironment() {
    const char* root = std::getenv("KESTREL_ROOT");
    if (!root || !*root) return MachineRoot("/");
    std::error_code ignored;
    if (!std::filesystem::is_directory(root, ignored)) {
        throw Error(std::string("KESTREL_ROOT=") + root + ": there is no such directory");
    }
    return MachineRoot(root);
}

std::filesystem::path MachineRoot::path(std::string_view absolute) const {
    return root_ / std::filesystem::path(absolute).relative_path();
}

bool MachineRoot::exists(std::string_view absolute) const {
    std::error_code ignored;
    return std::filesystem::exists(path(absolute), ignored);
}

FileText MachineRoot::read(std::string_view absolute, std::size_t limit) const {
    FileText file = readFile(path(absolute), limit);
    if (file.status == ReadStatus::Unreadable) problems_.push_back(file.problem + "; not used");
    return file;
}

std::optional<std::string> MachineRoot::readTrimmed(std::string_view absolute) const {
    FileText file = read(absolute, kAttributeLimit);
    if (file.status != ReadStatus::Ok) return std::nullopt;
    return std::string(trimTrailingBlanks(file.text));
}

}  // namespace kestrel::linux_machine
