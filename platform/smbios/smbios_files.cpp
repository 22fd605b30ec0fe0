#include "inventory/error.h"
#include "platform/file_reader.h"
#include "platform/smbios/smbios_table.h"

namespace kestrel::smbios {

Table readDumpFile(const std::filesystem::path& file) {
    const std::string dump = readWholeFile(file, kLargestTableFile);
    try {
        return decodeDump(
            std::span(reinterpret_cast<const std::uint8_t*>(dump.data()), dump.size()));
    } catch (const Error& e) {
        throw Error(file.string() + ": " + e.what());
    }
}

}  // namespace kestrel::smbios
