#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/management/management_table.h"

namespace kestrel::smbios::test {

// The seven classes as dmidecode's text decoding of a table (`-t 0,1,2,4,16,17`) implies them,
// by the same rules as the mapping under test. Strings stay as dmidecode shows them, and so does
// a module's maker code ("Bank 6, Hex 0x9B").
ManagementTable classesFromDmidecode(std::string_view text);

// dmidecode's decoding of the seven classes' structures in a dump, run now; nullopt where
// dmidecode cannot run here (not installed, or a Windows build). A failed run is a test failure.
std::optional<std::string> dmidecodeNow(const std::filesystem::path& dump);

// Where our classes differ from dmidecode's, one line each. A string matches when it reads as
// dmidecode prints it: bytes outside printable ASCII as '.', string index 0 as "Not Specified".
std::vector<std::string> differences(const ManagementTable& ours, const ManagementTable& theirs);

}  // namespace kestrel::smbios::test
