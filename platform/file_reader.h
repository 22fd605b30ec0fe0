#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace kestrel {

enum class ReadStatus { Ok, Missing, Denied, Unreadable };

struct FileText {
    ReadStatus status = ReadStatus::Missing;
    std::string text;
    std::string problem;  // what went wrong, naming the file; empty when status is Ok
};

// Every file Kestrel reads goes through here, with a cap that fits the file: a device such as
// /dev/zero, or a huge file, then fails with a clear message instead of filling the memory.
// Never throws for the file's sake.
FileText readFile(const std::filesystem::path& file, std::size_t limit);

// The same, throwing Error with the problem unless the whole file was read.
std::string readWholeFile(const std::filesystem::path& file, std::size_t limit);

inline constexpr std::size_t kMebibyte = 1024 * 1024;

}  // namespace kestrel
