#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel::linux_machine {

enum class ReadStatus { Ok, Missing, Denied };

struct FileText {
    ReadStatus status = ReadStatus::Missing;
    std::string text;
};

// The file system of the machine being read: "/" normally, or a directory that stands a whole
// machine up from files (tests, demos, support cases).
class MachineRoot {
  public:
    explicit MachineRoot(std::filesystem::path root = "/") : root_(std::move(root)) {}

    // The root named by KESTREL_ROOT, else "/".
    static MachineRoot fromEnvironment();

    std::filesystem::path path(std::string_view absolute) const;
    bool exists(std::string_view absolute) const;
    FileText read(std::string_view absolute) const;
    // The file's text with trailing blanks and line ends removed; nullopt when unreadable.
    std::optional<std::string> readTrimmed(std::string_view absolute) const;

  private:
    std::filesystem::path root_;
};

// Removes trailing blanks, tabs and line ends.
std::string trimEnd(std::string_view text);

}  // namespace kestrel::linux_machine
