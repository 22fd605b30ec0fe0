#include <fstream>

#include "inventory/error.h"
#include "platform/smbios/entry_point.h"
#include "platform/smbios/smbios_table.h"

namespace kestrel::smbios {
namespace {

// Far beyond any real table (they stay below 64 KiB), and small enough that pointing the reader
// at a device or a huge file fails instead of filling the memory.
constexpr std::streamsize kLargestFile = 16 * 1024 * 1024;

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Error(file.string() + ": cannot open");
    // Read to the end rather than trust the size: sysfs files report a size of their own.
    std::vector<std::uint8_t> bytes;
    std::vector<char> chunk(64 * 1024);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + in.gcount());
        if (static_cast<std::streamsize>(bytes.size()) > kLargestFile) {
            throw Error(file.string() + ": larger than any SMBIOS table could be");
        }
    }
    if (in.bad()) throw Error(file.string() + ": cannot read");
    return bytes;
}

[[noreturn]] void failIn(const std::filesystem::path& file, const Error& error) {
    throw Error(file.string() + ": " + error.what());
}

}  // namespace

Table readDumpFile(const std::filesystem::path& file) {
    const auto dump = readBytes(file);
    try {
        return decodeDump(dump);
    } catch (const Error& e) {
        failIn(file, e);
    }
}

Table readSysfs(const std::filesystem::path& entryPointFile, const std::filesystem::path& dmiFile) {
    const auto entryPoint = readBytes(entryPointFile);
    const auto table = readBytes(dmiFile);
    try {
        parseEntryPoint(entryPoint);
    } catch (const Error& e) {
        failIn(entryPointFile, e);
    }
    try {
        return decode(entryPoint, table);
    } catch (const Error& e) {
        failIn(dmiFile, e);
    }
}

}  // namespace kestrel::smbios
