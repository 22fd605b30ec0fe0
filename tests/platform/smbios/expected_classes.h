#pragma once

#include <string>
#include <vector>

#include "dmidecode_text.h"
#include "platform/management/management_table.h"

namespace kestrel::smbios::test {

// The seven classes as dmidecode's decoding of the same table implies them. Strings are
// dmidecode's (trailing blanks trimmed), so they compare through sameAsDmidecode().
ManagementTable classesFromDmidecode(const std::vector<DmidecodeRecord>& records);

// Differences between our classes and the expected ones, one line each; empty when they agree.
std::vector<std::string> differences(const ManagementTable& actual,
                                     const ManagementTable& expected);

}  // namespace kestrel::smbios::test
