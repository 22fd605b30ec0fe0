#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_reader.h"

namespace kestrel::linux_machine {

using kestrel::FileText;
using kestrel::ReadStatus;

// The cap of a sysfs attribute or a one-line /proc file (a page, on any page size).
inline constexpr std::size_t kAttributeLimit = 64 * 1024;

// The file system of the machine being read: "/" normally, or a directory that stands a whole
// machine up from files (tests, demos, support cases).
class MachineRoot {
  public:
    explicit MachineRoot(std::filesystem::path root = "/") : root_(std::move(root)) {}

    // The root named by KESTREL_ROOT, else "/". Throws Error when KESTREL_ROOT names no
    // directory: reading nothing would look like a machine that has nothing to tell.
    static MachineRoot fromEnvironment();

    std::filesystem::path path(std::string_view absolute) const;
    bool exists(std::string_view absolute) const;
    // At most limit bytes (see readFile); a file that is there but cannot be read whole is
    // remembered in problems().
    FileText read(std::string_view absolute, std::size_t limit) const;
    // The attribute's text with trailing blanks and line ends removed; nullopt when unreadable.
    std::optional<std::string> readTrimmed(std::string_view absolute) const;

    // One line per file that exists but was a directory, too large or unreadable.
    const std::vector<std::string>& problems() const { return problems_; }

  private:
    std::filesystem::path root_;
    mutable std::vector<std::string> problems_;
};

}  // namespace kestrel::linux_machine
