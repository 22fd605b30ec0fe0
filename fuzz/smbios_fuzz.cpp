// libFuzzer target: any bytes as a dump file, through the decoder, every field accessor and the
// mapping to the management classes. Errors are the expected answer to bad input; a crash, a
// sanitizer report or any other exception is a finding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "inventory/error.h"
#include "platform/smbios/smbios_classes.h"
#include "platform/smbios/smbios_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto table = kestrel::smbios::decodeDump(std::span(data, size));
        for (const auto& structure : table.structures) {
            // A little past the end too: those reads must answer nullopt, not read on.
            for (std::size_t offset = 0; offset < structure.length() + 8; ++offset) {
                (void)structure.byte(offset);
                (void)structure.word(offset);
                (void)structure.dword(offset);
                (void)structure.qword(offset);
                (void)structure.string(offset);
            }
        }
        (void)kestrel::smbios::classesFromTable(table);
    } catch (const kestrel::Error&) {
    }
    return 0;
}
