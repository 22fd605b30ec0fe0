#pragma once

#include <memory>
#include <string>

#include "platform/fixture/fixture_reader.h"
#include "platform/management/management_table.h"

namespace kestrel::test {

// A management service over tests/data/fixtures/<name>.
inline std::unique_ptr<ManagementService> fixtureService(const char* name = "acme.json") {
    return std::make_unique<TableService>(
        readFixtureFile(std::string(KESTREL_TEST_DATA) + "/fixtures/" + name));
}

}  // namespace kestrel::test
