#include "platform/file_reader.h"

#include <cerrno>
#include <fstream>
#include <vector>

#include "inventory/error.h"

namespace kestrel {
namespace {

std::string sizeText(std::size_t bytes) {
    return bytes % kMebibyte == 0 ? std::to_string(bytes / kMebibyte) + " MiB"
                                  : std::to_string(bytes) + " bytes";
}

FileText failed(ReadStatus status, const std::filesystem::path& file, const std::string& why) {
    return {status, {}, file.string() + ": " + why};
}

}  // namespace

FileText readFile(const std::filesystem::path& file, std::size_t limit) {
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        return failed(ReadStatus::Unreadable, file, "is a directory, not a file");
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return failed(errno == EACCES || errno == EPERM ? ReadStatus::Denied : ReadStatus::Missing,
                      file, "cannot open");
    }
    // Read to the end rather than trust the size: sysfs and /proc files report sizes of their own.
    std::string text;
    std::vector<char> chunk(64 * 1024);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > limit) {
            return failed(ReadStatus::Unreadable, file, "larger than " + sizeText(limit));
        }
    }
    if (in.bad()) return failed(ReadStatus::Unreadable, file, "cannot read");
    return {ReadStatus::Ok, std::move(text), {}};
}

std::string readWholeFile(const std::filesystem::path& file, std::size_t limit) {
    FileText read = readFile(file, limit);
    if (read.status != ReadStatus::Ok) throw Error(read.problem);
    return std::move(read.text);
}

}  // namespace kestrel
