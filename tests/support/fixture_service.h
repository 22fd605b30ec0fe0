#pragma once

#include <memory>
#include <string>

#include "inventory/management/management_table.h"
#include "platform/fixture/fixture_reader.h"

namespace kestrel::test {

// A management service over tests/data/fixtures/<name>.
inline std::unique_ptr<ManagementService> fixtureService(const char* name = "acme.json") {
    return std::make_unique<TableService>(
        readFixtureFile(std::string(KESTREL_TEST_DATA) + "/fixtures/" + name));
}

}  // namespace kestrel::test
